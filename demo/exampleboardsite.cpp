#include "demo/exampleboardsite.h"

#include "core/texttools.h"
#include "demo/demoserver.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Hits = 24;
constexpr int PerPage = 10;

QString escaped(QString text)
{
    return text.replace(u'&', u"&amp;"_s).replace(u'<', u"&lt;"_s).replace(u'"', u"&quot;"_s);
}

DemoResponse boardPage(const QString &keyword, int page)
{
    QString html = u"<html><head><title>示例资源板</title></head><body>\n<h1>"_s + escaped(keyword) + u"</h1>\n"_s;
    const int first = (page - 1) * PerPage + 1;
    const int last = qMin(page * PerPage, Hits);
    if (keyword.contains(u"无结果"_s) || page < 1 || first > last)
        return DemoResponse::gbkHtml(html + u"<p>没有找到相关资源</p></body></html>"_s, false);
    for (int n = first; n <= last; ++n) {
        const QString number = QString::number(n);
        html += u"<div class=\"item\"><a href=\"/v/"_s + number + u"\">详情</a> <span title=\""_s
                + escaped(keyword + u" 第"_s + number + u"部 & 花絮"_s) + u"\"></span> <i>"_s
                + QString::number(n * 100) + u" MB</i> <em>2026-11-"_s + number.rightJustified(2, u'0')
                + u"</em></div>\n"_s;
    }
    return DemoResponse::gbkHtml(html + u"</body></html>"_s, false);
}

} // namespace

void registerExampleBoardSite(DemoServer &server)
{
    server.addSite(u"example_board"_s, [](const DemoRequest &request) {
        if (request.path == u"/s"_s) {
            const QByteArray raw = request.query.queryItemValue(u"q"_s, QUrl::FullyEncoded).toLatin1();
            const QString keyword = fromGbk(QByteArray::fromPercentEncoding(raw));
            bool ok = false;
            const int page = request.query.queryItemValue(u"p"_s).toInt(&ok);
            return boardPage(keyword, ok ? page : 1);
        }
        if (request.path.startsWith(u"/v/"_s))
            return DemoResponse::gbkHtml(u"<html><body>详情 "_s + escaped(request.path.mid(3)) + u"</body></html>"_s,
                                         false);
        return DemoResponse::notFound();
    });
}
