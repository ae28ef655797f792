#include "windows/portalwindow.h"

#include "core/siteconfig.h"
#include "windows/browserview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

struct Portal
{
    const char16_t *option;
    const char16_t *caption;
    const char16_t *path;
};

constexpr Portal Portals[] = {
    {u"Option1", u"优酷视频", u"/widget/qqplus/index.html"},
    {u"Option2", u"搜狐视频", u"/upload/sohuapp/index.html"},
    {u"Option3", u"腾讯视频", u"/qplus/"},
    {u"Option4", u"土豆视频", u"/360api/index.php"},
    {u"Option5", u"爱奇艺视频", u"/mini/home800.html?app800&bd#pd%E9%A6%96%E9%A1%B5"},
    {u"Option6", u"乐视网", u"/cooperation/qq.html"},
    {u"Option8", u"迅雷看看", u"/channel_360_v2/zuixin.html"},
};

const QString StartOption = u"Option3"_s;

} // namespace

const QStringList &PortalWindow::optionNames()
{
    static const QStringList names = [] {
        QStringList out;
        for (const Portal &portal : Portals)
            out.append(QString::fromUtf16(portal.option));
        return out;
    }();
    return names;
}

QString PortalWindow::portalAddress(const SiteConfig &sites, const QString &option)
{
    for (const Portal &portal : Portals) {
        if (option == QString::fromUtf16(portal.option))
            return sites.portal(option) + QString::fromUtf16(portal.path);
    }
    return {};
}

PortalWindow::PortalWindow(const SiteConfig &sites, QWidget *parent)
    : QDialog(parent)
    , m_sites(sites)
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"网络视频"_s);
    setWindowIcon(QIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    resize(860, 600);

    auto *layout = new QVBoxLayout(this);
    auto *options = new QHBoxLayout();
    for (const Portal &portal : Portals) {
        const QString option = QString::fromUtf16(portal.option);
        auto *button = new QRadioButton(QString::fromUtf16(portal.caption), this);
        button->setObjectName(option);
        button->setChecked(option == StartOption);
        connect(button, &QRadioButton::clicked, this,
                [this, option] { m_browser->navigate(portalAddress(m_sites, option)); });
        options->addWidget(button);
    }
    options->addStretch(1);
    auto *close = new QPushButton(u"关闭本页面"_s, this);
    close->setObjectName(u"Command1"_s);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    options->addWidget(close);
    layout->addLayout(options);

    m_browser = new BrowserView(u"WebBrowser1"_s, BrowserView::Silent | BrowserView::NoContextMenu, this);
    layout->addWidget(m_browser, 1);
    m_browser->navigate(portalAddress(m_sites, StartOption));
}

BrowserView *PortalWindow::browser() const
{
    return m_browser;
}
