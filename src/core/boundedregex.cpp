#include "core/boundedregex.h"

#define PCRE2_CODE_UNIT_WIDTH 16
#include <pcre2.h>

#include <QElapsedTimer>
#include <QList>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// How deep one match may nest its backtracking, and the memory it may
// take for that (KiB): PCRE2's own defaults are far above what a page needs.
constexpr uint32_t DepthLimit = 100'000;
constexpr uint32_t HeapLimitKiB = 64 * 1024;

PCRE2_SPTR toPcre(const QString &text)
{
    return reinterpret_cast<PCRE2_SPTR>(text.utf16());
}

// A \N or \NN of the replacement that names a group (as QString::replace
// reads them).
struct BackReference
{
    qsizetype pos;
    qsizetype len;
    int group;
};

QList<BackReference> backReferences(const QString &after, int groups)
{
    QList<BackReference> refs;
    for (qsizetype i = 0; i + 1 < after.size(); ++i) {
        if (after.at(i) != u'\\')
            continue;
        int no = after.at(i + 1).digitValue();
        if (no <= 0 || no > groups)
            continue;
        BackReference ref{i, 2, no};
        if (i + 2 < after.size()) {
            const int second = after.at(i + 2).digitValue();
            if (second != -1 && no * 10 + second <= groups) {
                ref.group = no * 10 + second;
                ++ref.len;
            }
        }
        refs.append(ref);
    }
    return refs;
}

} // namespace

struct BoundedRegex::Compiled
{
    pcre2_code *code = nullptr;
    int groups = 0;
    bool crLfNewlines = false;

    ~Compiled() { pcre2_code_free(code); }
};

bool BoundedRegex::isRegexMarker(QStringView name)
{
    return name.endsWith(u"_tags") || name.endsWith(u"_pattern");
}

BoundedRegex::BoundedRegex(const QString &pattern)
{
    int code = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code *compiled = pcre2_compile(toPcre(pattern), PCRE2_SIZE(pattern.size()), PCRE2_UTF | PCRE2_CASELESS,
                                         &code, &offset, nullptr);
    if (!compiled) {
        PCRE2_UCHAR buffer[256];
        const int length = pcre2_get_error_message(code, buffer, sizeof buffer / sizeof buffer[0]);
        m_error = length > 0 ? QString::fromUtf16(reinterpret_cast<const char16_t *>(buffer), length)
                             : u"invalid regular expression"_s;
        m_errorOffset = qsizetype(offset);
        return;
    }
    m_compiled = std::make_unique<Compiled>();
    m_compiled->code = compiled;
    uint32_t groups = 0;
    pcre2_pattern_info(compiled, PCRE2_INFO_CAPTURECOUNT, &groups);
    m_compiled->groups = int(groups);
    uint32_t newline = 0;
    pcre2_pattern_info(compiled, PCRE2_INFO_NEWLINE, &newline);
    m_compiled->crLfNewlines
        = newline == PCRE2_NEWLINE_CRLF || newline == PCRE2_NEWLINE_ANY || newline == PCRE2_NEWLINE_ANYCRLF;
}

BoundedRegex::~BoundedRegex() = default;

bool BoundedRegex::isValid() const
{
    return m_compiled != nullptr;
}

QString BoundedRegex::errorText() const
{
    return m_error;
}

qsizetype BoundedRegex::errorOffset() const
{
    return m_errorOffset;
}

BoundedRegex::Result BoundedRegex::replace(const QString &text, const QString &replacement, Budget &budget) const
{
    if (!m_compiled)
        return {{}, Failure::Invalid};
    std::unique_ptr<pcre2_match_data, decltype(&pcre2_match_data_free)> data(
        pcre2_match_data_create_from_pattern(m_compiled->code, nullptr), &pcre2_match_data_free);
    std::unique_ptr<pcre2_match_context, decltype(&pcre2_match_context_free)> context(
        pcre2_match_context_create(nullptr), &pcre2_match_context_free);
    if (!data || !context)
        return {{}, Failure::Limit};
    pcre2_set_depth_limit(context.get(), DepthLimit);
    pcre2_set_heap_limit(context.get(), HeapLimitKiB);

    // The subject is checked once, not by every call: a lone surrogate
    // (never from a decoded page) is matched as U+FFFD, at the same offsets.
    QString checked = text;
    for (qsizetype i = 0; i < checked.size(); ++i) {
        const QChar c = checked.at(i);
        if (c.isHighSurrogate() && i + 1 < checked.size() && checked.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            checked[i] = QChar::ReplacementCharacter;
    }
    const PCRE2_SPTR subject = toPcre(checked);
    const qsizetype n = text.size();
    QElapsedTimer clock;
    clock.start();
    // PCRE2 does not say how much of its limit a call used, so each call is
    // charged its whole limit; most calls fit the small first one.
    const auto match = [&](qsizetype at, uint32_t options) {
        // One step may scan all the text left, so an attempt's limit times
        // that text stays near AttemptWork (never under FirstCallLimit).
        const qint64 cap = std::max(FirstCallLimit, AttemptWork / (n - at + 1));
        qint64 limit = FirstCallLimit;
        for (;;) {
            limit = std::min(limit, budget.steps);
            if (limit <= 0 || clock.nsecsElapsed() >= budget.nanoseconds)
                return int(PCRE2_ERROR_MATCHLIMIT);
            pcre2_set_match_limit(context.get(), uint32_t(limit));
            budget.steps -= limit;
            const int rc = pcre2_match(m_compiled->code, subject, PCRE2_SIZE(n), PCRE2_SIZE(at),
                                       options | PCRE2_NO_UTF_CHECK, data.get(), context.get());
            if (rc != PCRE2_ERROR_MATCHLIMIT || limit >= cap)
                return rc;
            limit = std::min(limit * 2, cap);
        }
    };
    struct Charge
    {
        Budget &budget;
        QElapsedTimer &clock;
        ~Charge() { budget.nanoseconds = std::max<qint64>(0, budget.nanoseconds - clock.nsecsElapsed()); }
    } charge{budget, clock};

    const QList<BackReference> refs = backReferences(replacement, m_compiled->groups);
    const PCRE2_SIZE *ov = pcre2_get_ovector_pointer(data.get());
    QString out;
    qsizetype copied = 0;
    qsizetype offset = 0;
    bool previousEmpty = false;
    bool any = false;
    while (offset <= n) {
        int rc;
        if (!previousEmpty) {
            rc = match(offset, 0);
        } else {
            // After an empty match: a non-empty one at the same place, else
            // one character on (as QRegularExpression's global match).
            rc = match(offset, PCRE2_NOTEMPTY_ATSTART | PCRE2_ANCHORED);
            if (rc == PCRE2_ERROR_NOMATCH) {
                ++offset;
                if (m_compiled->crLfNewlines && offset < n && text.at(offset - 1) == u'\r' && text.at(offset) == u'\n')
                    ++offset;
                else if (offset < n && text.at(offset).isLowSurrogate())
                    ++offset;
                if (offset > n)
                    break;
                rc = match(offset, 0);
            }
        }
        if (rc == PCRE2_ERROR_NOMATCH)
            break;
        if (rc < 0)
            return {{}, rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT
                            || rc == PCRE2_ERROR_NOMEMORY
                        ? Failure::Limit
                        : Failure::Invalid};
        const qsizetype start = qsizetype(ov[0]);
        const qsizetype end = qsizetype(std::max(ov[0], ov[1]));
        if (!any) {
            out.reserve(text.size());
            any = true;
        }
        out += QStringView(text).mid(copied, start - copied);
        qsizetype afterAt = 0;
        for (const BackReference &ref : refs) {
            out += QStringView(replacement).mid(afterAt, ref.pos - afterAt);
            const qsizetype groupStart = ref.group < rc ? qsizetype(ov[2 * ref.group]) : -1;
            const qsizetype groupEnd = ref.group < rc ? qsizetype(ov[2 * ref.group + 1]) : -1;
            if (groupStart >= 0 && groupEnd > groupStart && ov[2 * ref.group] != PCRE2_UNSET)
                out += QStringView(text).mid(groupStart, groupEnd - groupStart);
            afterAt = ref.pos + ref.len;
        }
        out += QStringView(replacement).mid(afterAt);
        copied = end;
        previousEmpty = start == end;
        offset = end;
    }
    if (!any)
        return {text, Failure::None};
    out += QStringView(text).mid(copied);
    return {out, Failure::None};
}
