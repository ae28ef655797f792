#include "demo/emulesite.h"

#include "demo/demoserver.h"

#include <QCryptographicHash>
#include <QRegularExpression>

using namespace Qt::StringLiterals;

namespace {

constexpr int ItemsPerPage = 30;

struct Category
{
    const char16_t *path;
    const char16_t *caption;
    int items;
};

const Category categories[] = {
    {u"movie", u"电影", 75},    {u"music", u"音乐", 40}, {u"software", u"软件", 65}, {u"book", u"图书", 35},
    {u"edu", u"教育", 31},      {u"datum", u"综合", 70}, {u"cartoon", u"动漫", 45},
};

int pageOf(const QString &text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    return ok && page > 0 ? page : 1;
}

// The number a keyword ends with ("地球7": 7), or `otherwise`.
int trailingNumber(const QString &keyword, int otherwise)
{
    static const QRegularExpression digits(u"(\\d+)$"_s);
    const QRegularExpressionMatch match = digits.match(keyword);
    return match.hasMatch() ? qMin(match.captured(1).toInt(), 10000) : otherwise;
}

QString pageHead(const QString &title)
{
    return u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s + title.toHtmlEscaped()
           + u" - 电驴资源</title></head>\n<body>\n<ul class=\"list\">\n"_s;
}

QString itemBlock(const QString &id, const QString &name, const QString &categoryPath, const QString &caption,
                  int number)
{
    const QString detail = u"/emule/detail/"_s + id + u".html"_s;
    const QString title = name.toHtmlEscaped();
    return u"<li>\n<div class=\"thumb\"><a href=\""_s + detail + u"\" title=\""_s + title
           + u"\"><img src=\"/emule/img/"_s + id + u".jpg\" alt=\"\"></a></div>\n<div class=\"info\"><h3><a href=\""_s
           + detail + u"\">"_s + title + u"</a></h3>\n<p><a href=\"/emule/"_s + categoryPath + u"/\">"_s + caption
           + u"</a> | 更新 "_s + QString::asprintf("2013-12-%02d", 1 + number % 28) + u" <b>"_s
           + (number % 2 ? u"高清"_s : u"标清"_s) + u"</b></p></div>\n</li>\n"_s;
}

DemoResponse categoryPage(const Category &category, int page)
{
    const QString path = QString::fromUtf16(category.path);
    const QString caption = QString::fromUtf16(category.caption);
    QString html = pageHead(caption + u" 第"_s + QString::number(page) + u"页"_s);
    const int first = (page - 1) * ItemsPerPage + 1;
    const int last = qMin(page * ItemsPerPage, category.items);
    for (int n = first; n <= last; ++n) {
        html += itemBlock(path + u'-' + QString::number(n), caption + u"资源 第"_s + QString::number(n) + u"号"_s,
                          path, caption, n);
    }
    return DemoResponse::html(html + u"</ul>\n<div class=\"pages\">第"_s + QString::number(page)
                              + u"页</div>\n</body></html>\n"_s);
}

DemoResponse searchPage(const QString &keyword, int page)
{
    QString html = pageHead(keyword);
    if (keyword.contains(u"空页"_s))
        return DemoResponse::html(html + u"</ul>\n</body></html>\n"_s);
    const int total = trailingNumber(keyword, 45);
    const int first = (page - 1) * ItemsPerPage + 1;
    const int last = qMin(page * ItemsPerPage, total);
    if (keyword.contains(u"无结果"_s) || first > last) {
        return DemoResponse::html(html + u"</ul>\n<div class=\"empty\">没能为您找到与“"_s + keyword.toHtmlEscaped()
                                  + u"”相关的资源</div>\n</body></html>\n"_s);
    }
    // "慢速": detail pages that answer late.
    const QString idPrefix = keyword.contains(u"慢速"_s) ? u"slow-"_s : u"search-"_s;
    for (int n = first; n <= last; ++n) {
        html += itemBlock(idPrefix + QString::number(n), keyword + u" 第"_s + QString::number(n) + u"号"_s,
                          u"movie"_s, u"电影"_s, n);
    }
    return DemoResponse::html(html + u"</ul>\n</body></html>\n"_s);
}

QString ed2kLink(const QString &id, int part)
{
    const QString file = id + u"-cd"_s + QString::number(part) + u".mkv"_s;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
    return u"ed2k://|file|"_s + file + u'|' + QString::number(700000000 + part * 1000) + u'|' + hash + u"|/"_s;
}

DemoResponse detailPage(const QString &id)
{
    static const QRegularExpression shape(u"^[a-z]+-(\\d+)$"_s);
    const QRegularExpressionMatch match = shape.match(id);
    if (!match.hasMatch())
        return DemoResponse::notFound();
    const int number = match.captured(1).toInt();
    QString html = u"<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>"_s + id
                   + u"</title></head>\n<body>\n<h1>"_s + id + u"</h1>\n<div class=\"links\">\n"_s;
    if (number % 10 == 0) {
        // Nothing the reader takes: a single-quoted anchor and a bare address.
        html += u"<a href='"_s + ed2kLink(id, 1) + u"'>下载</a>\n<p>"_s + ed2kLink(id, 2) + u"</p>\n"_s;
    } else {
        const int parts = number % 2 ? 2 : 1;
        for (int part = 1; part <= parts; ++part)
            html += u"<p><a href=\""_s + ed2kLink(id, part) + u"\">"_s + id + u" CD"_s + QString::number(part)
                    + u"</a></p>\n"_s;
    }
    DemoResponse response = DemoResponse::html(html + u"</div>\n</body></html>\n"_s);
    if (id.startsWith(u"slow-"_s))
        response.delayMs = 400;
    return response;
}

} // namespace

void registerEmuleSite(DemoServer &server)
{
    server.addSite(u"emule"_s, [](const DemoRequest &request) {
        const QStringList parts = request.path.split(u'/');
        // "", "emule", section, ...
        if (parts.size() < 4 || parts.at(1) != u"emule"_s)
            return DemoResponse::notFound();
        const QString &section = parts.at(2);
        if (section == u"search"_s && parts.size() == 5)
            return searchPage(parts.at(3), pageOf(parts.at(4)));
        if (section == u"detail"_s && parts.size() == 4 && parts.at(3).endsWith(u".html"_s))
            return detailPage(parts.at(3).chopped(5));
        for (const Category &category : categories) {
            if (section == QStringView(category.path) && parts.size() == 4)
                return categoryPage(category, pageOf(parts.at(3)));
        }
        return DemoResponse::notFound();
    });
}
