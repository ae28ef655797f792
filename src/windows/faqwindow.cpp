#include "windows/faqwindow.h"

#include "core/siteconfig.h"
#include "ui/clicklabel.h"

#include <QPlainTextEdit>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const QString &FaqWindow::questionsAndAnswers()
{
    static const QString text = u"问：为什么启动后搜索按钮是灰色的？\r\n"
                                u"答：程序启动约一秒后会检测最新版本，检测通过后搜索功能自动开放；"
                                u"若提示“暂时无法使用”，请检查网络后重新打开程序。\r\n\r\n"
                                u"问：网盘搜索为什么没有结果？\r\n"
                                u"答：请至少勾选一个网盘并输入两个字以上的关键字；可勾选“全选”同时搜索全部网盘，"
                                u"或用页码框翻到后面的结果页。\r\n\r\n"
                                u"问：怎样复制或打开搜索到的资源？\r\n"
                                u"答：在结果列表中选中一行后单击右键，可复制信息、复制链接、打开链接，"
                                u"网盘列表还可以导出为“网盘资源数据.txt”。\r\n\r\n"
                                u"问：在线播放提示“请先阅读使用协议并严格遵守!”怎么办？\r\n"
                                u"答：在“在线播放”页勾选“阅读并同意遵守使用协议”，阅读协议后选择“是”即可。\r\n\r\n"
                                u"问：软件设置修改后为什么没有变化？\r\n"
                                u"答：设置在下次启动时生效，保存后选择立即重启即可；设置保存在程序目录的 jyxq.ini 中。\r\n\r\n"
                                u"问：网络电视打不开怎么办？\r\n"
                                u"答：在“频道列表”中双击其他频道重新载入；直播页面由电视站点提供，可能暂时无法访问。\r\n\r\n"
                                u"问：退出时为什么询问是否到论坛？\r\n"
                                u"答：选择“是”会打开官方论坛再退出，选择“否”直接退出，选择“取消”继续使用。"_s;
    return text;
}

FaqWindow::FaqWindow(const ReaderContext &context, QWidget *parent)
    : QDialog(parent)
    , m_context(context)
{
    setObjectName(u"Form4"_s);
    setWindowTitle(u"常见问题"_s);
    setWindowIcon(QIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    resize(520, 420);

    auto *layout = new QVBoxLayout(this);
    auto *text = new QPlainTextEdit(this);
    text->setObjectName(u"Text1"_s);
    text->setReadOnly(true);
    text->setPlainText(questionsAndAnswers());
    layout->addWidget(text, 1);

    auto *link = new ClickLabel(u"Label1"_s, u"如上述问题中没有解答您的疑问，请点击此处留言反馈，我们会尽快答复"_s, this);
    link->setStyleSheet(u"color: blue; text-decoration: underline;"_s);
    connect(link, &ClickLabel::clicked, this,
            [this] { m_context.openAddress(m_context.sites().page(u"feedback"_s)); });
    layout->addWidget(link);
}
