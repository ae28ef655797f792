#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/definitionloader.h"
#include "core/definitionrows.h"
#include "core/tomldepth.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A user's keyword source as the documentation shows it.
const QByteArray Good = R"(format = 1
name = "mysite"
title = "我的站点"
base = "http://my.example/"
[search]
address = "{base}/s?q={keyword}&p={page}"
[rows]
start = '<div class="item">'
not_found = '没有找到'
[fields]
mc = { start = 'title="', end = '"', entities = true }
dz = { start = '<a href="', end = '"', prefix = "{base}" }
dx = { start = '<i>', end = '</i>', remove = [" "] }
)";

QByteArray with(const QByteArray &from, const QByteArray &to)
{
    QByteArray text = Good;
    if (!text.contains(from))
        qFatal("no \"%s\" in the good definition", from.constData());
    return text.replace(from, to);
}

// `count` fields that are no tables: a problem each.
QByteArray notTables(int count)
{
    QByteArray text;
    for (int i = 0; i < count; ++i)
        text += "x" + QByteArray::number(i) + " = 1\n";
    return text;
}

QString rowsText(const QList<ListRow> &rows)
{
    QStringList lines;
    for (const ListRow &row : rows) {
        QStringList cells{row.text};
        for (const ListRow::Cell &cell : row.cells)
            cells.append(cell.key + u'=' + cell.text);
        lines.append(cells.join(u' '));
    }
    return lines.join(u'\n');
}

void write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

class TestDefinitions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void builtInsAreValid();
    void problemsNameTheirPlace_data();
    void problemsNameTheirPlace();
    void rowsAreCutWithinTheirRow_data();
    void rowsAreCutWithinTheirRow();
    void keywordEncodings_data();
    void keywordEncodings();
    void userFoldersOverrideAndAdd();
    void depthSkipsStringsCommentsAndQuotedKeys_data();
    void depthSkipsStringsCommentsAndQuotedKeys();
    void charsetNames_data();
    void charsetNames();
};

void TestDefinitions::builtInsAreValid()
{
    const QStringList files = QDir(u":/definitions"_s).entryList({u"*.toml"_s});
    QVERIFY(files.size() >= 2);
    for (const QString &name : files) {
        const DefinitionLoader::Result result = DefinitionLoader::loadFile(u":/definitions/"_s + name, true);
        QVERIFY2(result.problems.isEmpty(), qPrintable(result.problems.value(0).text()));
        QCOMPARE(DefinitionCatalog::builtIns().find(result.definition->name)->file, u":/definitions/"_s + name);
    }
}

void TestDefinitions::problemsNameTheirPlace_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("what");
    QTest::newRow("TOML syntax") << with("[rows]", "[rows") << 7 << 6 << u"TOML: "_s;
    QTest::newRow("unknown key") << with("[rows]\n", "[rows]\nstop = 'x'\n") << 8 << 1 << u"unknown key \"stop\" in [rows]"_s;
    QTest::newRow("unknown key in a field") << with("entities = true", "entity = true") << 11 << 38
                                            << u"unknown key \"entity\" in field mc"_s;
    QTest::newRow("missing key") << with("title = \"我的站点\"\n", "") << 1 << 1 << u"missing key \"title\""_s;
    QTest::newRow("missing format") << with("format = 1\n", "") << 1 << 1 << u"missing key \"format\""_s;
    QTest::newRow("newer format") << with("format = 1", "format = 2") << 1 << 10 << u"unknown format"_s;
    QTest::newRow("unknown placeholder") << with("&p={page}", "&p={pg}") << 6 << 11
                                         << u"search.address names an unknown placeholder {pg}"_s;
    QTest::newRow("address outside the base") << with("{base}/s?q=", "http://other.example/s?q=") << 6 << 11
                                              << u"must start with {base}"_s;
    QTest::newRow("base not http") << with("http://my.example/", "file:///etc") << 4 << 8
                                   << u"is not an http or https address"_s;
    QTest::newRow("field without end") << with("mc = { start = 'title=\"', end = '\"', entities = true }",
                                               "mc = { start = 'title=\"' }")
                                       << 11 << 6 << u"field mc has no end marker"_s;
    QTest::newRow("reserved name") << with("name = \"mysite\"", "name = \"all\"") << 2 << 8
                                   << u"name \"all\" is reserved"_s;
    QTest::newRow("not UTF-8") << with("我的站点", "我的\xe7\xab") << 3 << 16 << u"not UTF-8"_s;
    QTest::newRow("a stray continuation byte, as a fuzzer found") << with("/s?q=", "/\x92\xd1\x8c?q=") << 6 << 19
                                                                    << u"not UTF-8"_s;
    QTest::newRow("non-ASCII in a key, as a fuzzer found") << with("title =", "titlɄ =") << 3 << 5 << u"TOML: "_s;
    QTest::newRow("CJK punctuation outside a string") << with("[rows]", "[rows]、") << 7 << 7 << u"TOML: "_s;
    QTest::newRow("site and base") << with("base = ", "site = \"x\"\nbase = ") << 1 << 1
                                   << u"either \"site\" or \"base\""_s;
    QTest::newRow("33 levels") << with("[rows]", "[rows." + QByteArray("a.").repeated(31) + "a]") << 7 << 69
                               << u"nested deeper than the limit of 32 levels"_s;
    QTest::newRow("unclosed brace in a prefix") << with("prefix = \"{base}\"", "prefix = \"{base\"") << 12 << 49
                                                << u"prefix in field dz has an unclosed \"{\""_s;
    QTest::newRow("{page} in a prefix") << with("prefix = \"{base}\"", "prefix = \"{base}/{page}\"") << 12 << 49
                                        << u"prefix in field dz names {page}, which a prefix cannot fill"_s;
    QTest::newRow("a long title") << with("我的站点", QByteArray("站").repeated(4097)) << 3 << 9
                                  << u"\"title\" is 4097 characters long; the limit is 4096"_s;
    QTest::newRow("a long address") << with("&p={page}", "&p={page}" + QByteArray("x").repeated(5000)) << 6 << 11
                                    << u"\"address\" in [search] is 5029 characters long"_s;
    QTest::newRow("a long text to remove")
        << with("remove = [\" \"]", "remove = [\" \", \"" + QByteArray("y").repeated(4097) + "\"]") << 13 << 52
        << u"a text of \"remove\" is 4097 characters long"_s;
    QTest::newRow("problems past 50 are counted")
        << with("[fields]\n", "[fields]\n" + notTables(60)) << 11 << 6 << u"field x0 must be a table"_s;
}

void TestDefinitions::problemsNameTheirPlace()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(int, column);
    QFETCH(QString, what);
    QVERIFY(DefinitionLoader::load(Good, u"good.toml"_s).problems.isEmpty());
    const DefinitionLoader::Result result = DefinitionLoader::load(text, u"my.toml"_s);
    QVERIFY(!result.definition);
    QVERIFY(!result.problems.isEmpty());
    const DefinitionProblem &problem = result.problems.first();
    QVERIFY2(problem.what.contains(what), qPrintable(problem.text()));
    QCOMPARE(problem.text().section(u':', 0, 2), u"my.toml:"_s + QString::number(line) + u':' + QString::number(column));
    QVERIFY(result.problems.size() <= DefinitionLoader::MaxProblems + 1);
    if (result.problems.size() > DefinitionLoader::MaxProblems)
        QCOMPARE(result.problems.last().what, u"and 10 more problems"_s);
}

void TestDefinitions::rowsAreCutWithinTheirRow_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("rows");
    QTest::newRow("fields in file order, prefix and clean-ups")
        << uR"(<div class="item"><a href="/a">A</a> title="甲 &amp; 乙" <i>1 GB</i>)"_s
        << u"1 mc=甲 & 乙 dz=http://my.example/a dx=1GB"_s;
    QTest::newRow("a field is cut within its own row, not the next")
        << uR"(<div class="item">title="一"<div class="item"><a href="/b">)"_s
        << u"1 mc=一 dz= dx=\n2 mc= dz=http://my.example/b dx="_s;
    QTest::newRow("a row with no field cut is not listed")
        << uR"(<div class="item">nothing<div class="item">title="二")"_s << u"1 mc=二 dz= dx="_s;
    QTest::newRow("no end marker, no value")
        << uR"(<div class="item"><a href="/c)"_s << QString();
    QTest::newRow("not found") << uR"(<div class="item">title="x" 没有找到)"_s << QString();
    QTest::newRow("no rows") << u"<html></html>"_s << QString();
}

void TestDefinitions::rowsAreCutWithinTheirRow()
{
    QFETCH(QString, page);
    QFETCH(QString, rows);
    const DefinitionLoader::Result result = DefinitionLoader::load(Good, u"my.toml"_s);
    QVERIFY(result.definition);
    QCOMPARE(rowsText(DefinitionRows::extract(*result.definition, page, result.definition->base)), rows);
}

void TestDefinitions::keywordEncodings_data()
{
    QTest::addColumn<int>("encoding");
    QTest::addColumn<QString>("encoded");
    QTest::newRow("utf-8: every byte but the unreserved")
        << int(SiteDefinition::KeywordEncoding::Utf8) << u"a-._~%20%26%2F%3F%E5%9C%B0"_s;
    QTest::newRow("gbk") << int(SiteDefinition::KeywordEncoding::Gbk) << u"a-._~%20%26%2F%3F%B5%D8"_s;
    QTest::newRow("utf-8, ASCII as it is") << int(SiteDefinition::KeywordEncoding::Utf8NonAscii) << u"a-._~ &/?%E5%9C%B0"_s;
}

void TestDefinitions::keywordEncodings()
{
    QFETCH(int, encoding);
    QFETCH(QString, encoded);
    QCOMPARE(AddressTemplate::encodeKeyword(u"a-._~ &/?地"_s, SiteDefinition::KeywordEncoding(encoding)), encoded);
}

void TestDefinitions::userFoldersOverrideAndAdd()
{
    QTemporaryDir config;
    QTemporaryDir given;
    QVERIFY(config.isValid() && given.isValid());
    write(config.filePath(u"mysite.toml"_s), Good);
    // A later folder's file of the same name wins.
    write(given.filePath(u"mine.toml"_s), with("title = \"我的站点\"", "title = \"我的站点②\""));
    // A mended built-in: the same fields, a changed marker.
    QFile builtIn(u":/definitions/torrent.toml"_s);
    QVERIFY(builtIn.open(QIODevice::ReadOnly));
    const QByteArray torrent = builtIn.readAll();
    write(given.filePath(u"torrent.toml"_s), QByteArray(torrent).replace("<td class=\"name\">", "<td class=\"title\">"));
    // Broken overrides are skipped: the built-in stays.
    write(config.filePath(u"netdisk.toml"_s), "format = 1\nname = \"netdisk\"\n");
    write(given.filePath(u"z-partial.toml"_s), QByteArray(torrent).replace("mc = {", "name = {"));

    const DefinitionCatalog catalog = DefinitionCatalog::withUserFolders({config.path(), given.path()});
    QCOMPARE(catalog.find(u"mysite"_s)->title, u"我的站点②"_s);
    QCOMPARE(catalog.userSources().size(), qsizetype(1));
    QCOMPARE(catalog.get(u"torrent"_s).field(u"mc"_s)->start, u"<td class=\"title\">"_s);
    QCOMPARE(catalog.overridden(), QStringList{u"torrent"_s});
    QCOMPARE(catalog.get(u"netdisk"_s).file, u":/definitions/netdisk.toml"_s);
    QStringList files;
    for (const DefinitionProblem &problem : catalog.problems()) {
        if (!files.contains(QFileInfo(problem.file).fileName()))
            files.append(QFileInfo(problem.file).fileName());
    }
    // The earlier mysite is set aside, and named at its name.
    QCOMPARE(files, (QStringList{u"netdisk.toml"_s, u"mysite.toml"_s, u"z-partial.toml"_s}));
    const DefinitionProblem &setAside = catalog.problems().at(catalog.problems().size() - 2);
    QVERIFY(setAside.setAside);
    QCOMPARE(setAside.text(), config.filePath(u"mysite.toml"_s) + u":2:8: set aside: \"mysite\" is defined again by "_s
                                  + given.filePath(u"mine.toml"_s) + u", which is used"_s);
    // What an override lacks is said at the table it belongs under.
    const DefinitionProblem &partial = catalog.problems().last();
    QVERIFY(partial.what.contains(u"lacks what its reader reads: fields.mc"_s));
    QCOMPARE(partial.line, int(torrent.left(torrent.indexOf("\n[fields]")).count('\n')) + 2);
    QCOMPARE(partial.column, 1);
    // The built-ins alone are untouched.
    QCOMPARE(DefinitionCatalog::builtIns().get(u"torrent"_s).field(u"mc"_s)->start, u"<td class=\"name\">"_s);
}

void TestDefinitions::depthSkipsStringsCommentsAndQuotedKeys_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("tooDeep"); // line:column, empty when within the limit
    const auto parts = [](int count) -> QByteArray { return QByteArray("a.").repeated(count - 1) + "a"; };
    QTest::newRow("a header of 32 parts") << "[" + parts(32) + "]\n" << QString();
    QTest::newRow("a header of 33 parts") << "[" + parts(33) + "]\n" << u"1:66"_s;
    QTest::newRow("spaces around the dots") << "[" + QByteArray("a . ").repeated(32) + "a]\n" << u"1:130"_s;
    QTest::newRow("dots in a quoted key") << "\"" + parts(100) + "\" = 1\n" << QString();
    QTest::newRow("dots in a literal key") << "'" + parts(100) + "' = 1\n" << QString();
    QTest::newRow("quoted parts count once each") << "[" + QByteArray("\"a.b\".").repeated(32) + "c]\n" << u"1:194"_s;
    QTest::newRow("dots and brackets in a string") << "x = \"" + parts(100) + QByteArray("[").repeated(40) + "\"\n"
                                                   << QString();
    QTest::newRow("an escaped quote does not end a string")
        << "x = \"\\\" " + QByteArray("[").repeated(40) + "\"\n" << QString();
    QTest::newRow("brackets in a multi-line string")
        << "x = \"\"\"\n\" [\n" + QByteArray("{").repeated(40) + "\n\"\"\"\"\ny = 1\n" << QString();
    QTest::newRow("brackets in a multi-line literal")
        << "x = '''" + QByteArray("[").repeated(40) + "'''\n[" + parts(33) + "]\n" << u"2:66"_s;
    QTest::newRow("brackets in a comment") << "x = 1 # " + QByteArray("[").repeated(40) + "\n" << QString();
    QTest::newRow("a header line after an array") << "x = [\n[1],\n]\n[" + parts(33) + "]\n" << u"4:66"_s;
    QTest::newRow("a header's parts and a key's add up") << "[" + parts(31) + "]\nb.c = 1\n" << u"2:3"_s;
    QTest::newRow("a new header starts again") << "[" + parts(31) + "]\n[b]\n" + parts(31) + " = 1\n" << QString();
    QTest::newRow("arrays of 31 under a key") << "x = " + QByteArray("[").repeated(31) + QByteArray("]").repeated(31)
                                              << QString();
    QTest::newRow("arrays of 32 under a key") << "x = " + QByteArray("[").repeated(32) + QByteArray("]").repeated(32)
                                              << u"1:36"_s;
    QTest::newRow("keys of an inline table add up")
        << "x = { " + parts(30) + " = 1, " + parts(31) + " = 2 }\n" << u"1:132"_s;
    QTest::newRow("columns count characters") << "# 注释\n\"键\" = 1\n[" + parts(33) + "]\n" << u"3:66"_s;
}

void TestDefinitions::depthSkipsStringsCommentsAndQuotedKeys()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, tooDeep);
    const std::optional<TomlDepth::Place> place = TomlDepth::firstTooDeep(text);
    QCOMPARE(place ? QString::number(place->line) + u':' + QString::number(place->column) : QString(), tooDeep);
}

void TestDefinitions::charsetNames_data()
{
    QTest::addColumn<QByteArray>("given");
    QTest::addColumn<QString>("read"); // empty: refused
    QTest::newRow("utf-8") << QByteArray("utf-8") << u"utf-8"_s;
    QTest::newRow("utf8") << QByteArray("utf8") << u"utf-8"_s;
    QTest::newRow("UTF8") << QByteArray("UTF8") << u"utf-8"_s;
    QTest::newRow("GBK") << QByteArray("GBK") << u"gbk"_s;
    QTest::newRow("gb2312") << QByteArray("gb2312") << u"gb2312"_s;
    QTest::newRow("GB18030") << QByteArray("GB18030") << u"gb18030"_s;
    QTest::newRow("big5") << QByteArray("big5") << QString();
}

void TestDefinitions::charsetNames()
{
    QFETCH(QByteArray, given);
    QFETCH(QString, read);
    const QByteArray text = with("title = \"我的站点\"\n", "title = \"我的站点\"\ncharset = \"" + given + "\"\n");
    const DefinitionLoader::Result result = DefinitionLoader::load(text, u"my.toml"_s);
    if (read.isEmpty()) {
        QCOMPARE(result.problems.value(0).text(),
                 u"my.toml:4:11: charset must be utf-8 (or utf8), gbk, gb2312 or gb18030, in any case"_s);
    } else {
        QVERIFY2(result.definition, qPrintable(result.problems.value(0).text()));
        QCOMPARE(result.definition->charset, read);
    }
}

QTEST_GUILESS_MAIN(TestDefinitions)
#include "tst_definitions.moc"
