#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTest>

using namespace Qt::StringLiterals;

// The manual page and the bash completion against what the program says
// of itself: every option --help names is in the manual, and completion
// offers the options and sources the program has.
class TestManPage : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void manualCoversEveryOption();
    void completion_data();
    void completion();

private:
    static QString output(const QString &program, const QStringList &arguments);
    // The options a help text explains, one line each ("  -h, --help  ...").
    static QStringList optionsIn(const QString &help);
};

QString TestManPage::output(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList TestManPage::optionsIn(const QString &help)
{
    static const QRegularExpression option(u"^  (?:(-[a-z]), )?(--[a-z][a-z-]*)"_s,
                                           QRegularExpression::MultilineOption);
    QSet<QString> names;
    for (const QRegularExpressionMatch &match : option.globalMatch(help)) {
        for (int group : {1, 2}) {
            if (match.hasCaptured(group) && !match.captured(group).isEmpty())
                names.insert(match.captured(group));
        }
    }
    QStringList sorted(names.cbegin(), names.cend());
    sorted.sort();
    return sorted;
}

void TestManPage::manualCoversEveryOption()
{
    const QString help = output(QStringLiteral(JYX_PROGRAM), {u"--help"_s});
    const QStringList options = optionsIn(help);
    QVERIFY2(options.size() >= 10, qPrintable(help));

    QFile file(QStringLiteral(JYX_SOURCE_DIR "/packaging/juyuanxia.1"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    // roff writes a dash as "\-".
    const QString manual = QString::fromUtf8(file.readAll()).replace(u"\\-"_s, u"-"_s);
    for (const QString &name : options) {
        const QRegularExpression word(u"(?<![\\w-])"_s + QRegularExpression::escape(name) + u"(?![\\w-])"_s);
        QVERIFY2(manual.contains(word), qPrintable(name + u" is not in the manual"_s));
    }
    for (const QString &section : {u"SYNOPSIS"_s, u"OPTIONS"_s, u"EXIT STATUS"_s, u"FILES"_s, u"EXAMPLES"_s})
        QVERIFY2(manual.contains(u".SH "_s + section) || manual.contains(u".SH \""_s + section + u'"'),
                 qPrintable(section));

    // And it formats without a warning, where groff is installed.
    const QString groff = QStandardPaths::findExecutable(u"groff"_s);
    if (groff.isEmpty())
        return;
    QProcess format;
    format.start(groff, {u"-k"_s, u"-man"_s, u"-Tutf8"_s, u"-ww"_s, u"-z"_s, file.fileName()});
    QVERIFY(format.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(format.readAllStandardError()), QString());
    QCOMPARE(format.exitCode(), 0);
}

void TestManPage::completion_data()
{
    const QString program = QStringLiteral(JYX_PROGRAM);
    QTest::addColumn<QStringList>("words"); // the line typed so far, the last word being completed
    QTest::addColumn<QStringList>("offered");

    QStringList sources;
    for (const QString &line : output(program, {u"search"_s, u"--list"_s}).split(u'\n', Qt::SkipEmptyParts))
        sources.append(line.section(u'\t', 0, 0));
    sources.append(u"all"_s);
    sources.sort();
    QTest::newRow("the command") << QStringList{QString()} << QStringList{u"definitions"_s, u"search"_s};
    QTest::newRow("definitions' command") << QStringList{u"definitions"_s, QString()} << QStringList{u"check"_s};
    QTest::newRow("every option") << QStringList{u"-"_s} << optionsIn(output(program, {u"--help"_s}));
    QTest::newRow("the sources after search") << QStringList{u"search"_s, QString()} << sources;
    QTest::newRow("sources by their start") << QStringList{u"--demo"_s, u"search"_s, u"emule-"_s}
                                            << QStringList{u"emule-category"_s, u"emule-search"_s};
    QTest::newRow("search's options") << QStringList{u"search"_s, u"ed2k"_s, u"x"_s, u"--"_s}
                                      << optionsIn(output(program, {u"search"_s, u"--help"_s})).filter(u"--"_s);
    QTest::newRow("a format") << QStringList{u"search"_s, u"ed2k"_s, u"x"_s, u"--format"_s, QString()}
                              << QStringList{u"json"_s, u"tsv"_s};
    QTest::newRow("nothing after the keyword") << QStringList{u"search"_s, u"ed2k"_s, QString()} << QStringList();
}

void TestManPage::completion()
{
    QFETCH(QStringList, words);
    QFETCH(QStringList, offered);
    QVERIFY(!offered.isEmpty() || words.size() == 3);
    QString script = u"source \"$1\"; shift; COMP_WORDS=(\"$@\"); COMP_CWORD=$(($# - 1)); _juyuanxia; "
                     "printf '%s\\n' \"${COMPREPLY[@]}\""_s;
    QProcess bash;
    bash.start(u"bash"_s, QStringList{u"-c"_s, script, u"bash"_s,
                                      QStringLiteral(JYX_SOURCE_DIR "/packaging/juyuanxia.bash-completion"),
                                      QStringLiteral(JYX_PROGRAM)}
                              + words);
    QVERIFY(bash.waitForFinished(60000));
    QCOMPARE(QString::fromUtf8(bash.readAllStandardError()), QString());
    QStringList got = QString::fromUtf8(bash.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    got.sort();
    QCOMPARE(got, offered);
}

QTEST_GUILESS_MAIN(TestManPage)
#include "tst_manpage.moc"
