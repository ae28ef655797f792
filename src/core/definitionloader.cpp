#include "core/definitionloader.h"

#include "core/addresstemplate.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QUrl>

#define TOML_EXCEPTIONS 0
#define TOML_ENABLE_FORMATTERS 0
#include <toml++/toml.h>

using namespace Qt::StringLiterals;

namespace {

QString qs(std::string_view text)
{
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

// The column keys rows carry by the thousand, as static text: copying
// one into every cell then costs no reference count.
QString internedKey(const QString &key)
{
    static const QStringList keys = {u"mc"_s, u"dz"_s, u"dx"_s, u"rq"_s, u"xzdz"_s, u"fhdz"_s, u"xq"_s, u"lx"_s,
                                     u"xh"_s, u"zt"_s, u"sj"_s, u"bt"_s, u"jj"_s, u"dy"_s, u"zy"_s};
    const qsizetype at = keys.indexOf(key);
    return at < 0 ? key : keys.at(at);
}

// One file's reading: every problem found, with its place.
class Reader
{
public:
    explicit Reader(QString file) : m_file(std::move(file)) { }

    QList<DefinitionProblem> problems;

    void problem(const toml::source_region &where, const QString &what)
    {
        problems.append({m_file, int(where.begin.line), int(where.begin.column), what});
    }

    void read(const toml::table &root, SiteDefinition &d);

private:
    // Keys of `table` outside `known` are problems.
    void onlyKnown(const toml::table &table, const QString &where, const QStringList &known)
    {
        for (auto &&[key, node] : table) {
            if (!known.contains(qs(key.str())))
                problem(key.source(), u"unknown key \""_s + qs(key.str()) + u"\""_s + where);
        }
    }

    // A string value; a missing key leaves `out` and says so when required.
    bool text(const toml::table &table, std::string_view key, QString &out, const toml::source_region &parent,
              bool required, const QString &where = {})
    {
        const toml::node *node = table.get(key);
        if (!node) {
            if (required)
                problem(parent, u"missing key \""_s + qs(key) + u"\""_s + where);
            return false;
        }
        const auto *value = node->as_string();
        if (!value) {
            problem(node->source(), u"\""_s + qs(key) + u"\" must be a string"_s + where);
            return false;
        }
        out = qs(value->get());
        return true;
    }

    // A string or an array of strings.
    void texts(const toml::node *node, const QString &key, QStringList &out)
    {
        if (!node)
            return;
        if (const auto *value = node->as_string()) {
            out.append(qs(value->get()));
            return;
        }
        const auto *array = node->as_array();
        if (!array) {
            problem(node->source(), u"\""_s + key + u"\" must be a string or an array of strings"_s);
            return;
        }
        for (const toml::node &item : *array) {
            if (const auto *value = item.as_string())
                out.append(qs(value->get()));
            else
                problem(item.source(), u"\""_s + key + u"\" must hold strings only"_s);
        }
    }

    void checkTemplate(const toml::node &node, const QString &text, const QString &what, bool address)
    {
        for (const QString &name : AddressTemplate::unknownPlaceholders(text)) {
            problem(node.source(), name == u"{"_s ? QString(what + u" has an unclosed \"{\""_s)
                                                  : QString(what + u" names an unknown placeholder {"_s + name + u"}"_s));
        }
        // Nothing may send a request outside the site's base.
        static const QRegularExpression underBase(u"^\\{base\\}([/?#]|$)"_s);
        if (address && !underBase.match(text).hasMatch())
            problem(node.source(), what + u" must start with {base} followed by /, ? or #"_s);
    }

    void readNamed(const toml::table &root, std::string_view key, QList<SiteDefinition::Named> &out, bool address)
    {
        const toml::node *node = root.get(key);
        if (!node)
            return;
        const auto *table = node->as_table();
        if (!table) {
            problem(node->source(), u"["_s + qs(key) + u"] must be a table"_s);
            return;
        }
        for (auto &&[name, value] : *table) {
            const auto *string = value.as_string();
            if (!string) {
                problem(value.source(), qs(key) + u"."_s + qs(name.str()) + u" must be a string"_s);
                continue;
            }
            const QString text = qs(string->get());
            if (text.isEmpty())
                problem(value.source(), qs(key) + u"."_s + qs(name.str()) + u" is empty"_s);
            if (address)
                checkTemplate(value, text, u"addresses."_s + qs(name.str()), true);
            out.append({qs(name.str()), text});
        }
    }

    void readFields(const toml::table &root, SiteDefinition &d);
    void readLabels(const toml::table &root, SiteDefinition &d);

    QString m_file;
};

void Reader::readFields(const toml::table &root, SiteDefinition &d)
{
    const toml::node *node = root.get("fields");
    if (!node)
        return;
    const auto *fields = node->as_table();
    if (!fields) {
        problem(node->source(), u"[fields] must be a table"_s);
        return;
    }
    static const QRegularExpression columnKey(u"^[a-z][a-z0-9_]*$"_s);
    QHash<QString, quint64> fieldAt;
    for (auto &&[key, value] : *fields) {
        const QString name = qs(key.str());
        const QString where = u" in field "_s + name;
        const auto *table = value.as_table();
        if (!table) {
            problem(value.source(), u"field "_s + name + u" must be a table: { start = \"...\", end = \"...\" }"_s);
            continue;
        }
        if (!columnKey.match(name).hasMatch())
            problem(key.source(), u"field name \""_s + name + u"\" is not a column key (a-z, 0-9, _)"_s);
        onlyKnown(*table, where, {u"start"_s, u"end"_s, u"prefix"_s, u"prefix_when_found"_s, u"remove"_s, u"entities"_s});
        SiteDefinition::Field field;
        field.key = internedKey(name);
        fieldAt.insert(name, quint64(key.source().begin.line) << 32 | key.source().begin.column);
        if (text(*table, "start", field.start, value.source(), true, where) && field.start.isEmpty())
            problem(table->get("start")->source(), u"empty start marker"_s + where);
        if (!table->get("end"))
            problem(value.source(), u"field "_s + name + u" has no end marker"_s);
        else if (text(*table, "end", field.end, value.source(), true, where) && field.end.isEmpty())
            problem(table->get("end")->source(), u"empty end marker"_s + where);
        if (text(*table, "prefix", field.prefix, value.source(), false, where)) {
            for (const QString &unknown : AddressTemplate::unknownPlaceholders(field.prefix)) {
                if (unknown != u"base"_s)
                    problem(table->get("prefix")->source(), u"prefix"_s + where + u" names an unknown placeholder {"_s + unknown + u"}"_s);
            }
            if (field.prefix.contains(u'{') && !field.prefix.contains(u"{base}"_s))
                problem(table->get("prefix")->source(), u"prefix"_s + where + u" may name only {base}"_s);
        }
        for (std::string_view flag : {"entities", "prefix_when_found"}) {
            if (const toml::node *f = table->get(flag)) {
                if (!f->is_boolean())
                    problem(f->source(), u"\""_s + qs(flag) + u"\" must be true or false"_s + where);
                else if (flag == "entities")
                    field.entities = f->as_boolean()->get();
                else
                    field.prefixWhenFound = f->as_boolean()->get();
            }
        }
        texts(table->get("remove"), u"remove"_s, field.remove);
        if (field.remove.contains(QString()))
            problem(table->get("remove")->source(), u"an empty string to remove"_s + where);
        d.fields.append(field);
    }
    if (d.fields.isEmpty())
        problem(node->source(), u"[fields] names no field"_s);
    // The table keeps its keys sorted; the columns follow the file.
    std::stable_sort(d.fields.begin(), d.fields.end(),
                     [&](const auto &a, const auto &b) { return fieldAt.value(a.key) < fieldAt.value(b.key); });
}

void Reader::readLabels(const toml::table &root, SiteDefinition &d)
{
    const toml::node *node = root.get("labels");
    if (!node)
        return;
    const auto *array = node->as_array();
    if (!array || !array->is_array_of_tables()) {
        problem(node->source(), u"labels must be an array of tables: [[labels]]"_s);
        return;
    }
    for (const toml::node &item : *array) {
        const toml::table &table = *item.as_table();
        onlyKnown(table, u" in [[labels]]"_s, {u"label"_s, u"any"_s});
        SiteDefinition::Label label;
        text(table, "label", label.label, item.source(), true, u" in [[labels]]"_s);
        texts(table.get("any"), u"any"_s, label.needles);
        if (label.needles.isEmpty() || label.needles.contains(QString()))
            problem(item.source(), u"a label needs \"any\": the texts that give it"_s);
        d.labels.append(label);
    }
}

void Reader::read(const toml::table &root, SiteDefinition &d)
{
    const toml::source_region &top = root.source();
    onlyKnown(root, {},
              {u"format"_s, u"name"_s, u"title"_s, u"site"_s, u"base"_s, u"charset"_s, u"probe"_s, u"search"_s,
               u"rows"_s, u"fields"_s, u"markers"_s, u"addresses"_s, u"labels"_s, u"captions"_s});

    const toml::node *format = root.get("format");
    if (!format)
        problem(top, u"missing key \"format\" (this program reads format = 1)"_s);
    else if (!format->is_integer() || format->as_integer()->get() != DefinitionLoader::Format)
        problem(format->source(), u"unknown format: this program reads format = 1"_s);

    static const QRegularExpression sourceName(u"^[a-z0-9][a-z0-9_-]*$"_s);
    if (text(root, "name", d.name, top, true)) {
        if (!sourceName.match(d.name).hasMatch())
            problem(root.get("name")->source(), u"name \""_s + d.name + u"\" must be lower-case letters, digits, - and _"_s);
        else if (DefinitionLoader::reservedNames().contains(d.name))
            problem(root.get("name")->source(), u"name \""_s + d.name + u"\" is reserved"_s);
    }
    text(root, "title", d.title, top, true);
    const bool hasSite = text(root, "site", d.site, top, false);
    const bool hasBase = text(root, "base", d.base, top, false);
    if (hasSite == hasBase)
        problem(top, hasSite ? u"give either \"site\" or \"base\", not both"_s : u"missing key \"site\" (or \"base\")"_s);
    if (hasBase) {
        const QUrl url(d.base);
        const QString scheme = url.scheme();
        if (!url.isValid() || (scheme != u"http"_s && scheme != u"https"_s) || url.host().isEmpty())
            problem(root.get("base")->source(), u"base \""_s + d.base + u"\" is not an http or https address"_s);
        while (d.base.endsWith(u'/'))
            d.base.chop(1);
    }
    if (text(root, "charset", d.charset, top, false)) {
        d.charset = d.charset.toLower();
        if (!QStringList{u"utf-8"_s, u"gbk"_s, u"gb2312"_s, u"gb18030"_s}.contains(d.charset))
            problem(root.get("charset")->source(), u"charset must be utf-8 or gbk"_s);
    }
    text(root, "probe", d.probe, top, false);

    if (const toml::node *node = root.get("search")) {
        if (const auto *search = node->as_table()) {
            onlyKnown(*search, u" in [search]"_s, {u"address"_s, u"keyword"_s, u"fetch"_s});
            if (text(*search, "address", d.searchAddress, node->source(), true, u" in [search]"_s))
                checkTemplate(*search->get("address"), d.searchAddress, u"search.address"_s, true);
            QString keyword;
            if (text(*search, "keyword", keyword, node->source(), false)) {
                if (keyword == u"utf-8"_s)
                    d.keyword = SiteDefinition::KeywordEncoding::Utf8;
                else if (keyword == u"gbk"_s)
                    d.keyword = SiteDefinition::KeywordEncoding::Gbk;
                else if (keyword == u"utf-8-non-ascii"_s)
                    d.keyword = SiteDefinition::KeywordEncoding::Utf8NonAscii;
                else
                    problem(search->get("keyword")->source(), u"search.keyword must be utf-8, gbk or utf-8-non-ascii"_s);
            }
            QString fetch;
            if (text(*search, "fetch", fetch, node->source(), false)) {
                if (fetch == u"get-body"_s)
                    d.fetch = SiteDefinition::Fetch::GetBody;
                else if (fetch == u"plain"_s)
                    d.fetch = SiteDefinition::Fetch::Plain;
                else if (fetch == u"transfer"_s)
                    d.fetch = SiteDefinition::Fetch::Transfer;
                else
                    problem(search->get("fetch")->source(), u"search.fetch must be get-body, plain or transfer"_s);
            }
        } else {
            problem(node->source(), u"[search] must be a table"_s);
        }
    }

    if (const toml::node *node = root.get("rows")) {
        if (const auto *rows = node->as_table()) {
            onlyKnown(*rows, u" in [rows]"_s, {u"start"_s, u"split"_s, u"count"_s, u"not_found"_s});
            QString split;
            if (text(*rows, "split", split, node->source(), false)) {
                if (split == u"page"_s)
                    d.split = SiteDefinition::Split::Page;
                else if (split != u"rows"_s)
                    problem(rows->get("split")->source(), u"rows.split must be rows or page"_s);
            }
            if (d.split == SiteDefinition::Split::Rows) {
                if (text(*rows, "start", d.rowStart, node->source(), true, u" in [rows]"_s) && d.rowStart.isEmpty())
                    problem(rows->get("start")->source(), u"empty row start marker"_s);
            } else if (rows->get("start")) {
                problem(rows->get("start")->source(), u"rows.start has no use when rows.split = \"page\""_s);
            }
            if (text(*rows, "count", d.countMarker, node->source(), false) && d.countMarker.isEmpty())
                problem(rows->get("count")->source(), u"empty count marker"_s);
            texts(rows->get("not_found"), u"not_found"_s, d.notFound);
            if (d.notFound.contains(QString()))
                problem(rows->get("not_found")->source(), u"an empty not_found text"_s);
        } else {
            problem(node->source(), u"[rows] must be a table"_s);
        }
    }
    readFields(root, d);
    readNamed(root, "markers", d.markers, false);
    readNamed(root, "addresses", d.addresses, true);
    readLabels(root, d);
    texts(root.get("captions"), u"captions"_s, d.captions);

    // A keyword source needs an address, rows and fields; a built-in reader
    // with logic of its own may take only named markers and addresses.
    const bool ownLogic = !d.markers.isEmpty() || !d.addresses.isEmpty() || !d.labels.isEmpty();
    if (!ownLogic || root.get("fields") || root.get("rows")) {
        if (!root.get("search"))
            problem(top, u"missing table [search]"_s);
        if (!root.get("rows"))
            problem(top, u"missing table [rows]"_s);
        if (!root.get("fields"))
            problem(top, u"missing table [fields]"_s);
    }
    for (const SiteDefinition::Field &field : std::as_const(d.fields)) {
        if (d.split == SiteDefinition::Split::Page && field.start.isEmpty())
            problem(top, u"field "_s + field.key + u" needs a start marker"_s);
    }
}

} // namespace

const QStringList &DefinitionLoader::reservedNames()
{
    static const QStringList names = {u"all"_s, u"search"_s, u"definitions"_s, u"check-sites"_s, u"help"_s, u"version"_s, u"list"_s};
    return names;
}

DefinitionLoader::Result DefinitionLoader::load(const QByteArray &text, const QString &file, bool builtIn)
{
    Result result;
    const std::string path = file.toStdString();
    toml::parse_result parsed = toml::parse(std::string_view(text.constData(), size_t(text.size())), path);
    if (!parsed) {
        const toml::parse_error &error = parsed.error();
        result.problems.append({file, int(error.source().begin.line), int(error.source().begin.column),
                                u"TOML: "_s + qs(error.description())});
        return result;
    }
    Reader reader(file);
    SiteDefinition definition;
    definition.file = file;
    definition.builtIn = builtIn;
    reader.read(parsed.table(), definition);
    result.problems = std::move(reader.problems);
    if (result.problems.isEmpty())
        result.definition = std::move(definition);
    return result;
}

DefinitionLoader::Result DefinitionLoader::loadFile(const QString &path, bool builtIn)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        Result result;
        result.problems.append({path, 0, 0, u"cannot read: "_s + file.errorString()});
        return result;
    }
    // A definition is a few kilobytes; a huge file is a mistake.
    constexpr qint64 MaxBytes = 1024 * 1024;
    if (file.size() > MaxBytes) {
        Result result;
        result.problems.append({path, 0, 0, u"larger than 1 MiB"_s});
        return result;
    }
    return load(file.read(MaxBytes), path, builtIn);
}
