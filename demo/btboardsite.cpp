#include "demo/btboardsite.h"

#include "demo/demoserver.h"

using namespace Qt::StringLiterals;

namespace {

constexpr int Boards = 8;
constexpr int PostsPerPage = 50;
constexpr int PostsOnLastBoard = 23;

const char16_t *const CategoryNames[] = {u"动作片", u"喜剧片", u"爱情片", u"科幻片", u"剧情片"};

QString titleOf(int board, int k)
{
    return u"[BT下载] 演示影片"_s + QString::number(board * 1000 + k) + u" 720p"_s;
}

DemoResponse listPage(int board)
{
    QString html = u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                   "<title>BT发布区</title></head>\r\n<body>\r\n<TABLE class=\"list\">\r\n"_s;
    const int posts = board < 1 || board > Boards ? 0 : board == Boards ? PostsOnLastBoard : PostsPerPage;
    for (int k = 1; k <= posts; ++k) {
        const int id = board * 1000 + k;
        QString title = titleOf(board, k);
        if (k % 4 == 0)
            title = u"<font color=red>"_s + title + u"</font>"_s;
        html += u"<TR><TD class=\"t\">&nbsp;<A href=\"display.php?BoardID="_s + QString::number(board) + u"&ID="_s
                + QString::number(id) + u"\" target=_blank>"_s + title + u"</A></TD><TD align=center>"_s
                + QString::number(k % 13) + u"</TD><TD align=center>"_s
                + QString::asprintf("%d.%02d GB", 1 + k % 3, k) + u"</TD><TD align=center>发布者"_s
                + QString::number(k % 5) + u"</TD><TD align=center><a href=\"list.php?BoardID="_s
                + QString::number(board) + u"&Cat="_s + QString::number(k % 5) + u"\"><span class=\"cat\">"_s
                + QString::fromUtf16(CategoryNames[k % 5]) + u"</span></a></TD></TR>\r\n"_s;
    }
    html += u"</TABLE>\r\n</body></html>"_s;
    return DemoResponse::gbkHtml(html);
}

QString linksOf(int id, bool single, bool secondWithScheme)
{
    QString links = u"<br /><a href=\"jump.php?url=http://files.example/bt/"_s + QString::number(id)
                    + u".torrent\" target=\"_blank\">下载地址①</a>"_s;
    if (!single) {
        links += u"<br /><a href=\"jump.php?url="_s + (secondWithScheme ? u"http://"_s : QString())
                 + u"mirror.example/bt/"_s + QString::number(id) + u".torrent\" target=\"_blank\">下载地址②</a>"_s;
    }
    return links;
}

DemoResponse postPage(int id, const QString &siteBase)
{
    const int k = id % 1000;
    const QString poster = u"[IMG]"_s + siteBase + u"/poster/"_s + QString::number(id) + u".png[/IMG]"_s;
    const QString shots = u"<br />◎影片截图<br />[IMG]"_s + siteBase + u"/poster/"_s + QString::number(id)
                          + u"-shot.png[/IMG]"_s;
    QString body;
    if (k == 7) {
        body = u"<p>该帖子内容已被隐藏，请登录后查看。</p>"_s + linksOf(id, false, true);
    } else if (k % 2 == 1) {
        body = poster + u"<br /><br />片名: 演示影片"_s + QString::number(id) + u"<br />年代: 2013<br />国家: 美国"
               "<br />类别: 剧情&nbsp;冒险<br />主演: 演员甲&nbsp;演员乙<br /><br />剧情简介<br />"
               "一段发生在 A &amp; B 之间的故事。"_s + shots + linksOf(id, k == 9, true);
    } else {
        body = poster + u"<br /><br />◎译　　名　演示影片"_s + QString::number(id)
               + u"<br />◎片　　名　Demo Film<br />◎年　　代　2013<br />◎类　　别　剧情&nbsp;冒险"
                 "<br /><br />◎简　　介<br /><br />　　一段发生在 C &amp; D 之间的故事。"_s
               + shots + linksOf(id, false, false);
    }
    return DemoResponse::gbkHtml(u"<html><head><meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\">"
                                 "<title>"_s + titleOf(id / 1000, k) + u"</title></head>\r\n<body>\r\n<div class=\"post\">"_s
                                 + body + u"</div>\r\n</body></html>"_s);
}

// A 1x1 PNG.
DemoResponse poster()
{
    return DemoResponse::text(QByteArray::fromBase64("iVBORw0KGgoAAAANSUhEUgAAAAEAAAABCAYAAAAfFcSJAAAADUlEQVR42mNk"
                                                     "YPhfDwAChwGA60e6kgAAAABJRU5ErkJggg=="),
                              "image/png");
}

} // namespace

void registerBtBoardSite(DemoServer &server)
{
    server.addSite(u"bt_board"_s, [](const DemoRequest &request) {
        if (request.path == u"/list.php"_s)
            return listPage(request.query.queryItemValue(u"BoardID"_s).toInt());
        if (request.path == u"/display.php"_s) {
            const int id = request.query.queryItemValue(u"ID"_s).toInt();
            if (id < 1000 || id % 1000 == 0)
                return DemoResponse::notFound();
            return postPage(id, request.siteBase);
        }
        if (request.path.startsWith(u"/poster/"_s) && request.path.endsWith(u".png"_s))
            return poster();
        return DemoResponse::notFound();
    });
}
