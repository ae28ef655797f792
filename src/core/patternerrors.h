#pragma once

#include "core/boundedregex.h"

#include <QString>
#include <QStringList>

// Where the regular expressions of one search report what went wrong, and
// the work they may take together. The search that is running makes its
// own current (a search run and a headless fetch do so each time one of
// their pages comes back, since the parse of that page follows before
// anything else runs on the thread); preg() reports to the current one.
class PatternErrors
{
public:
    // What all the regular expressions of one search may take together: a
    // few fields' worth.
    static constexpr qint64 SearchSteps = 20'000'000;
    static constexpr qint64 SearchNanoseconds = 1'000'000'000;

    PatternErrors();
    ~PatternErrors();
    PatternErrors(const PatternErrors &) = delete;
    PatternErrors &operator=(const PatternErrors &) = delete;

    // This thread's preg() calls report here from now on.
    void makeCurrent();
    // None are reported here any more (when this one is current).
    void release();
    static PatternErrors *current();

    // A new search: no errors, the whole budget.
    void clear();

    bool isEmpty() const;
    // One line per failed rule, in the order met ("规则 cell_tags 超出匹配限制").
    const QStringList &messages() const;
    // The same for the command line: the rule, a tab and "regex-limit" or
    // "regex-invalid".
    const QStringList &codes() const;

    // What one field may take now: the field's budget, or less when the
    // search's is nearly spent.
    BoundedRegex::Budget fieldBudget() const;
    // What a field took of what fieldBudget() gave it (`left` of it is left).
    void spend(const BoundedRegex::Budget &given, const BoundedRegex::Budget &left);
    // A rule that failed in this search is not run again in it.
    bool hasFailed(const QString &rule) const;
    void noteLimit(const QString &rule);
    void noteInvalid(const QString &rule);

private:
    void note(const QString &rule, const QString &code, const QString &message);

    QStringList m_failedRules;
    QStringList m_messages;
    QStringList m_codes;
    BoundedRegex::Budget m_budget{SearchSteps, SearchNanoseconds};
};
