#pragma once

#include <QString>
#include <QStringView>

#include <memory>

// A definition's regular expression (PCRE2, case-insensitive) whose work is
// bounded. Qt's QRegularExpression has no match limit; this links PCRE2
// directly. PCRE2's match limit counts backtracking steps, which bounds the
// blow-ups of nested repeats ((a+)+$), but one step may scan the rest of
// the subject (a*a*a*b over a run of a's), and PCRE2 does not say what a
// call used. So a replace (one match call per hit) runs on a Budget of both
// steps and time: each call's step limit comes from it, starting small and
// doubling while the call runs out of it, up to a cap that keeps limit ×
// the text left near AttemptWork; each call is charged its whole limit and
// the time it took. A call past its cap, or the budget running out, ends
// the field.
class BoundedRegex
{
public:
    // What one field may take (about 0.15 s of steps for (a+)+$ here), the
    // smallest limit a match call is tried with (an ordinary call needs one
    // or two), and the work one attempt aims to stay within, in steps times
    // characters left.
    static constexpr qint64 FieldSteps = 5'000'000;
    static constexpr qint64 FieldNanoseconds = 250'000'000;
    static constexpr qint64 FirstCallLimit = 8;
    static constexpr qint64 AttemptWork = qint64(1) << 25;

    struct Budget
    {
        qint64 steps = FieldSteps;
        qint64 nanoseconds = FieldNanoseconds;
    };

    enum class Failure { None, Invalid, Limit };
    struct Result
    {
        QString text;
        Failure failure = Failure::None;
    };

    // Which markers of a definition are regular expressions: those whose
    // name ends in _tags or _pattern.
    static bool isRegexMarker(QStringView name);

    explicit BoundedRegex(const QString &pattern);
    ~BoundedRegex();
    BoundedRegex(const BoundedRegex &) = delete;
    BoundedRegex &operator=(const BoundedRegex &) = delete;

    bool isValid() const;
    // PCRE2's reason and the 0-based offset in the pattern where it stopped.
    QString errorText() const;
    qsizetype errorOffset() const;

    // QString::replace(QRegularExpression, replacement): every match, left
    // to right, by `replacement` with \1 … \99 standing for the groups.
    // `budget` is charged what the calls took; one that runs out gives
    // Failure::Limit and no text.
    Result replace(const QString &text, const QString &replacement, Budget &budget) const;

private:
    struct Compiled;
    std::unique_ptr<Compiled> m_compiled;
    QString m_error;
    qsizetype m_errorOffset = -1;
};
