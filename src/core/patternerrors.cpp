#include "core/patternerrors.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

thread_local PatternErrors *currentErrors = nullptr;

} // namespace

PatternErrors::PatternErrors() = default;

PatternErrors::~PatternErrors()
{
    release();
}

void PatternErrors::makeCurrent()
{
    currentErrors = this;
}

void PatternErrors::release()
{
    if (currentErrors == this)
        currentErrors = nullptr;
}

PatternErrors *PatternErrors::current()
{
    return currentErrors;
}

void PatternErrors::clear()
{
    m_failedRules.clear();
    m_messages.clear();
    m_codes.clear();
    m_budget = {SearchSteps, SearchNanoseconds};
}

bool PatternErrors::isEmpty() const
{
    return m_messages.isEmpty();
}

const QStringList &PatternErrors::messages() const
{
    return m_messages;
}

const QStringList &PatternErrors::codes() const
{
    return m_codes;
}

BoundedRegex::Budget PatternErrors::fieldBudget() const
{
    return {std::min(BoundedRegex::FieldSteps, m_budget.steps),
            std::min(BoundedRegex::FieldNanoseconds, m_budget.nanoseconds)};
}

void PatternErrors::spend(const BoundedRegex::Budget &given, const BoundedRegex::Budget &left)
{
    m_budget.steps = std::max<qint64>(0, m_budget.steps - (given.steps - left.steps));
    m_budget.nanoseconds = std::max<qint64>(0, m_budget.nanoseconds - (given.nanoseconds - left.nanoseconds));
}

bool PatternErrors::hasFailed(const QString &rule) const
{
    return m_failedRules.contains(rule);
}

void PatternErrors::noteLimit(const QString &rule)
{
    note(rule, u"regex-limit"_s, u"规则 "_s + rule + u" 超出匹配限制，该项已留空"_s);
}

void PatternErrors::noteInvalid(const QString &rule)
{
    note(rule, u"regex-invalid"_s, u"规则 "_s + rule + u" 不是有效的正则表达式，该项已留空"_s);
}

void PatternErrors::note(const QString &rule, const QString &code, const QString &message)
{
    if (m_failedRules.contains(rule))
        return;
    m_failedRules.append(rule);
    m_messages.append(message);
    m_codes.append(rule + u'\t' + code);
}
