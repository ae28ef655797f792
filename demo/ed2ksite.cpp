#include "demo/ed2ksite.h"

#include "demo/demoserver.h"

#include <QCryptographicHash>
#include <QRegularExpression>
#include <QUrl>

using namespace Qt::StringLiterals;

namespace {

constexpr int FilesPerPage = 20;

int pageOf(const QString &text)
{
    bool ok = false;
    const int page = text.toInt(&ok);
    return ok && page > 0 ? page : 1;
}

int fileCount(const QString &keyword)
{
    static const QRegularExpression digits(u"(\\d+)$"_s);
    const QRegularExpressionMatch match = digits.match(keyword);
    return match.hasMatch() ? qMin(match.captured(1).toInt(), 10000) : 50;
}

const char16_t *const categories[] = {u"电影", u"音乐", u"软件", u"图书", u"动漫"};

DemoResponse fileList(const QString &keyword, int page)
{
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                   "<title>电驴搜索</title></head>\r\n<body>\r\n<table class=\"files\">\r\n"
                   "<tr><th>文件</th><th>大小</th></tr>\r\n"_s;
    const int first = (page - 1) * FilesPerPage + 1;
    const int last = keyword.contains(u"无结果"_s) ? 0 : qMin(page * FilesPerPage, fileCount(keyword));
    for (int n = first; n <= last; ++n) {
        const int kind = n % 5;
        const QString caption = QString::fromUtf16(categories[kind]);
        const QString category = n % 3 == 0 ? u"<a href=\"FileList.asp?CategoryID="_s + QString::number(kind + 1)
                                                  + u"\">"_s + caption + u"</a>"_s
                                            : caption;
        const QString name = keyword.toHtmlEscaped() + (n % 5 == 0 ? u" 评分<9"_s : QString()) + u" 第"_s
                             + QString::number(n) + u"个文件.mkv"_s;
        html += u"<tr><td>["_s + category + u"] <a href=\"ShowFile.asp?FileID="_s + QString::number(5000 + n)
                + u"\" target=\"_blank\">"_s + name + u"</a></td><td>"_s + QString::number(1 + n % 4)
                + u".2 GB</td></tr>\r\n"_s;
    }
    return DemoResponse::gbkHtml(html + u"</table>\r\n</body></html>\r\n"_s);
}

DemoResponse showFile(const QString &id)
{
    const QString file = u"file-"_s + id + u".mkv"_s;
    const QString hash = QString::fromLatin1(
        QCryptographicHash::hash(file.toUtf8(), QCryptographicHash::Md5).toHex().toUpper());
    return DemoResponse::gbkHtml(u"<html><head><title>文件详情</title></head><body><h1>"_s + file.toHtmlEscaped()
                                 + u"</h1><a href=\"ed2k://|file|"_s + file + u"|734003200|"_s + hash
                                 + u"|/\">下载</a></body></html>"_s);
}

} // namespace

void registerEd2kSearchSite(DemoServer &server)
{
    server.addSite(u"ed2k_search"_s, [](const DemoRequest &request) {
        if (request.path == u"/FileList.asp"_s)
            return fileList(request.query.queryItemValue(u"SearchWord"_s, QUrl::FullyDecoded),
                            pageOf(request.query.queryItemValue(u"PageIndex"_s)));
        if (request.path == u"/ShowFile.asp"_s)
            return showFile(request.query.queryItemValue(u"FileID"_s, QUrl::FullyDecoded));
        return DemoResponse::notFound();
    });
}
