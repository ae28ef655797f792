#include "core/boundedregex.h"
#include "core/patternerrors.h"
#include "core/texttools.h"

#include <QRegularExpression>
#include <QTest>

using namespace Qt::StringLiterals;

class TestTextTools : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void urlEncoding_data();
    void urlEncoding();
    void fixedLength_data();
    void fixedLength();
    void pregStripsTags_data();
    void pregStripsTags();
    void pregTagStrippersMatchTheRegex_data();
    void pregTagStrippersMatchTheRegex();
    void boundedRegex_data();
    void boundedRegex();
    void pregReportsFailedRules();
    void gbkWidths_data();
    void gbkWidths();
    void truncation();
    void pageText_data();
    void pageText();
    void leadingNumbers_data();
    void leadingNumbers();
};

void TestTextTools::urlEncoding_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("ascii passes, spaces and ampersands too") << u"a b&c=d#e+f%"_s << u"a b&c=d#e+f%"_s;
    QTest::newRow("two-byte unit") << u"\u00E9"_s << u"%C3%A9"_s;
    QTest::newRow("highest two-byte unit") << u"\u07FF"_s << u"%DF%BF"_s;
    QTest::newRow("three-byte unit") << u"\u4E2D"_s << u"%E4%B8%AD"_s;
    QTest::newRow("lowest three-byte unit") << u"\u0900"_s << u"%E0%A4%80"_s;
    QTest::newRow("keyword with space") << u"电影 1"_s << u"%E7%94%B5%E5%BD%B1 1"_s;
    // A character outside the basic plane is encoded unit by unit.
    QTest::newRow("surrogate pair") << QString::fromUtf16(u"\U0001F600") << u"%ED%A0%BD%ED%B8%80"_s;
}

void TestTextTools::urlEncoding()
{
    QFETCH(QString, text);
    QFETCH(QString, encoded);
    QCOMPARE(UTF8_URLEncoding(text), encoded);
}

void TestTextTools::fixedLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("expected");
    QTest::newRow("trimmed then padded") << u"  ab "_s << 8 << u"ab      "_s;
    QTest::newRow("chinese counts two bytes") << u"网盘"_s << 8 << u"网盘    "_s;
    QTest::newRow("exactly the width") << u"百度网盘"_s << 8 << u"百度网盘"_s;
    QTest::newRow("longer is never cut") << u"abcdefghij"_s << 8 << u"abcdefghij"_s;
    QTest::newRow("empty stays empty") << QString() << 8 << QString();
    QTest::newRow("only spaces") << u"   "_s << 8 << QString();
    QTest::newRow("zero width") << u"ab"_s << 0 << u"ab"_s;
    QTest::newRow("negative width") << u" ab"_s << -3 << u"ab"_s;
    QTest::newRow("tabs are not trimmed") << u"\tab"_s << 5 << u"\tab  "_s;
}

void TestTextTools::fixedLength()
{
    QFETCH(QString, text);
    QFETCH(int, width);
    QFETCH(QString, expected);
    QCOMPARE(SetStringFixedLength(text, width), expected);
}

void TestTextTools::pregStripsTags_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("expected");
    QTest::newRow("case ignored, every match") << u"<TD class=\"x\">9</td>"_s << u"</?td[^<>]*>"_s << u"9"_s;
    QTest::newRow("anchors") << u"<a href=\"/x\">片名</a> <A>二</A>"_s << u"</?a[^<>]*>"_s << u"片名 二"_s;
    QTest::newRow("font inside span kept") << u"<font color=red><span>x</span></font>"_s << u"</?font[^<>]*>"_s
                                           << u"<span>x</span>"_s;
    // Never the raw text: the field is left empty (and reported, see below).
    QTest::newRow("invalid pattern gives nothing") << u"a(b"_s << u"("_s << QString();
    QTest::newRow("other patterns go to the regex") << u"a1b22c"_s << u"\\d+"_s << u"abc"_s;
}

// The tag strippers skip the regex engine; the engine stays the reference
// for what they must do, on the awkward cases too.
void TestTextTools::pregTagStrippersMatchTheRegex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    const QStringList patterns = {u"</?a[^<>]*>"_s, u"</?td[^<>]*>"_s, u"</?TD[^<>]*>"_s, u"</?span[^<>]*>"_s,
                                  u"</?font[^<>]*>"_s};
    const QStringList texts = {
        u""_s,
        u"no tags at all"_s,
        u"<a href=\"x\">名</a>"_s,
        u"<abbr>prefix names match too</abbr>"_s,
        u"<A><a/></A>"_s,
        u"</ a>space after the slash"_s,
        u"<//a>two slashes"_s,
        u"<a unclosed <a>closed"_s,
        u"<a>x<"_s,
        u"<a"_s,
        u"<"_s,
        u"a>stray end<b>"_s,
        u"<TD class=\"x\">9</td><Td>"_s,
        u"<td\n valign=top>line</TD\n>"_s,
        u"<SPAN>ſpan</ſpan><ſpan x>"_s,
        u"<FONT color=red><font>x</font></Font>"_s,
        u"<tda>t</tda><t d>"_s,
        u"<a>\U0001F600</a><a x=\"\U0001F600\">"_s,
        u"<<a>>"_s,
        u"<a>>"_s,
    };
    for (const QString &pattern : patterns) {
        for (qsizetype i = 0; i < texts.size(); ++i)
            QTest::addRow("%s text %lld", qPrintable(pattern), qlonglong(i)) << texts.at(i) << pattern;
    }
}

void TestTextTools::pregTagStrippersMatchTheRegex()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QString expected = text;
    expected.replace(QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption), QString());
    QCOMPARE(preg(text, pattern), expected);
}

// Valid patterns give what QString::replace gives (empty matches,
// back-references, case, surrogates); runaway ones run out of the budget;
// broken ones do not compile.
void TestTextTools::boundedRegex_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("pattern");
    QTest::addColumn<QString>("replacement");
    QTest::addColumn<int>("failure");
    const int none = int(BoundedRegex::Failure::None);
    const int limit = int(BoundedRegex::Failure::Limit);
    const int invalid = int(BoundedRegex::Failure::Invalid);
    const QString row = u"<tr><td class=\"n\"><a href=\"/detail/1.html\">地球 结果1</a></td><TD>大陆</TD></tr>"_s;
    QString rows;
    for (int i = 0; i < 2000; ++i)
        rows += row;
    const QString aaa = QString(40, u'a') + u"!"_s;
    QTest::newRow("tags of a row") << row << u"<[^<>]+>"_s << QString() << none;
    QTest::newRow("case ignored") << row << u"</?td[^<>]*>"_s << u"|"_s << none;
    QTest::newRow("digits") << u"a1b22c333"_s << u"\\d+"_s << u"#"_s << none;
    QTest::newRow("no match") << row << u"zzz"_s << u"x"_s << none;
    QTest::newRow("empty matches") << u"abc"_s << u"x*"_s << u"-"_s << none;
    QTest::newRow("empty match after a match") << u"aaab"_s << u"a*"_s << u"-"_s << none;
    QTest::newRow("lookahead empty matches") << u"abab"_s << u"(?=b)"_s << u"^"_s << none;
    QTest::newRow("back-references") << u"k=v; x=y"_s << u"(\\w)=(\\w)"_s << u"\\2=\\1 \\3 \\\\1"_s << none;
    QTest::newRow("twelve groups") << u"abcdefghijkl"_s << u"(a)(b)(c)(d)(e)(f)(g)(h)(i)(j)(k)(l)"_s << u"\\12\\1\\10"_s
                                   << none;
    QTest::newRow("unset group") << u"ac"_s << u"a(b)?c"_s << u"[\\1]"_s << none;
    QTest::newRow("surrogates stepped over") << u"\U0001F600x\U0001F600"_s << u""_s << u"."_s << none;
    QTest::newRow("chinese") << u"资源 资源名"_s << u"资源"_s << u"R"_s << none;
    QTest::newRow("line ends") << u"a\r\nb\nc"_s << u"$"_s << u";"_s << none;
    QTest::newRow("multiline CRLF") << u"a\r\nb"_s << u"(*CRLF)(?m)$"_s << u";"_s << none;
    QTest::newRow("anchored start") << u"aaa"_s << u"^a"_s << u"b"_s << none;
    QTest::newRow("thousands of hits") << rows << u"</?(td|a|tr)[^<>]*>"_s << QString() << none;
    QTest::newRow("nested quantifier") << aaa << u"(a+)+$"_s << QString() << limit;
    QTest::newRow("nested quantifier, upper case") << aaa.toUpper() << u"(a+)+$"_s << QString() << limit;
    QTest::newRow("alternation blow-up") << aaa << u"(a|aa)+$"_s << QString() << limit;
    QTest::newRow("quadratic over a page") << QString(200000, u'a') << u"a*a*a*[bc]"_s << QString() << limit;
    QTest::newRow("deep group nesting") << QString(300000, u'a') << u"(?:a|b)*c?$"_s << QString() << limit;
    QTest::newRow("unclosed class") << row << u"(unclosed["_s << QString() << invalid;
    QTest::newRow("unclosed group") << row << u"(a"_s << QString() << invalid;
    QTest::newRow("nothing to repeat") << row << u"*a"_s << QString() << invalid;
    QTest::newRow("bad escape") << row << u"\\k"_s << QString() << invalid;
}

void TestTextTools::boundedRegex()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, replacement);
    QFETCH(int, failure);
    const BoundedRegex regex(pattern);
    const QRegularExpression reference(pattern, QRegularExpression::CaseInsensitiveOption);
    QCOMPARE(regex.isValid(), failure != int(BoundedRegex::Failure::Invalid));
    QCOMPARE(reference.isValid(), regex.isValid());
    if (!regex.isValid())
        QVERIFY(!regex.errorText().isEmpty());
    BoundedRegex::Budget budget;
    const BoundedRegex::Result result = regex.replace(text, replacement, budget);
    QCOMPARE(int(result.failure), failure);
    QVERIFY(budget.steps >= 0);
    if (failure != int(BoundedRegex::Failure::None)) {
        QVERIFY(result.text.isEmpty());
        return;
    }
    QVERIFY(budget.steps > 0);
    QString expected = text;
    expected.replace(reference, replacement);
    QCOMPARE(result.text, expected);
    // The same replace through preg, outside any search.
    QCOMPARE(preg(text, pattern, replacement), expected);
}

// Under a search's PatternErrors a failed rule is named once, leaves its
// field empty, and is not run again: a page of rows costs one field's
// budget, not one per row.
void TestTextTools::pregReportsFailedRules()
{
    PatternErrors errors;
    errors.makeCurrent();
    const QString row = QString(40, u'a') + u" 结果"_s;
    for (int i = 0; i < 500; ++i)
        QCOMPARE(preg(row, u"(a+)+$"_s, {}, u"cell_tags"_s), QString());
    QCOMPARE(preg(u"<a>x</a>"_s, u"(unclosed["_s, {}, u"name_tags"_s), QString());
    QCOMPARE(preg(u"<a>x</a>"_s, u"</?a[^<>]*>"_s, {}, u"anchor_tags"_s), u"x"_s);
    QCOMPARE(errors.messages(), QStringList({u"规则 cell_tags 超出匹配限制，该项已留空"_s,
                                             u"规则 name_tags 不是有效的正则表达式，该项已留空"_s}));
    QCOMPARE(errors.codes(), QStringList({u"cell_tags\tregex-limit"_s, u"name_tags\tregex-invalid"_s}));
    // One field's budget went, the search's rest remains for the others.
    QVERIFY(errors.fieldBudget().steps > 0);
    QVERIFY(errors.fieldBudget().steps <= BoundedRegex::FieldSteps);
    // The search's budget runs out: every further rule fails, none runs long.
    for (int i = 0; i < 30; ++i)
        preg(row, u"(a|aa)+$"_s, {}, u"rule_"_s + QString::number(i));
    QVERIFY(errors.fieldBudget().steps == 0 || errors.fieldBudget().nanoseconds == 0);
    QCOMPARE(preg(u"ab"_s, u"b"_s, u"c"_s, u"late_pattern"_s), QString());
    QVERIFY(errors.codes().contains(u"late_pattern\tregex-limit"_s));
    errors.clear();
    QVERIFY(errors.isEmpty());
    QCOMPARE(preg(u"ab"_s, u"b"_s, u"c"_s, u"late_pattern"_s), u"ac"_s);
    errors.release();
    QCOMPARE(PatternErrors::current(), nullptr);
}

void TestTextTools::pregStripsTags()
{
    QFETCH(QString, text);
    QFETCH(QString, pattern);
    QFETCH(QString, expected);
    QCOMPARE(preg(text, pattern), expected);
}

void TestTextTools::gbkWidths_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("bytes");
    QTest::newRow("ascii") << u"abc"_s << 3;
    QTest::newRow("chinese") << u"百度网盘"_s << 8;
    QTest::newRow("mixed") << u"GXP 网盘"_s << 8;
    QTest::newRow("outside gbk takes four") << QString::fromUtf16(u"\U0001F600") << 4;
}

void TestTextTools::gbkWidths()
{
    QFETCH(QString, text);
    QFETCH(int, bytes);
    QCOMPARE(gbkByteLength(text), qsizetype(bytes));
    QCOMPARE(toGbk(text).size(), qsizetype(bytes));
    QCOMPARE(fromGbk(toGbk(text)), text);
}

void TestTextTools::truncation()
{
    QCOMPARE(truncatedToGbkBytes(u"abc"_s, 1023), u"abc"_s);
    QCOMPARE(truncatedToGbkBytes(u"网盘资源"_s, 5), u"网盘"_s); // never half a character
    QCOMPARE(truncatedToGbkBytes(QString(2000, u'x'), 1023).size(), qsizetype(1023));
    const QString wide = QString(600, QChar(0x7F51));
    QCOMPARE(gbkByteLength(truncatedToGbkBytes(wide, 1023)), qsizetype(1022));
}

void TestTextTools::pageText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");
    QTest::newRow("letters") << u"abc"_s << u"1"_s;
    QTest::newRow("zero") << u"0"_s << u"1"_s;
    QTest::newRow("empty") << QString() << u"1"_s;
    QTest::newRow("leading zero stays") << u"05"_s << u"05"_s;
    QTest::newRow("fraction stays") << u"2.5"_s << u"2.5"_s;
    QTest::newRow("negative stays") << u"-2"_s << u"-2"_s;
    QTest::newRow("double zero is numeric") << u"00"_s << u"00"_s;
    QTest::newRow("number then letters") << u"3a"_s << u"1"_s;
}

void TestTextTools::pageText()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    QCOMPARE(normalizedPageText(typed), kept);
}

void TestTextTools::leadingNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << u"125"_s << 125;
    QTest::newRow("spaces around") << u" 12 "_s << 12;
    QTest::newRow("trailing text") << u"30部"_s << 30;
    QTest::newRow("none") << u"部"_s << 0;
    QTest::newRow("empty") << QString() << 0;
}

void TestTextTools::leadingNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, value);
    QCOMPARE(leadingNumber(text), value);
}

QTEST_GUILESS_MAIN(TestTextTools)
#include "tst_texttools.moc"
