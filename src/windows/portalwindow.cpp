#include "windows/portalwindow.h"

#include "core/siteconfig.h"
#include "sources/playback/portalpages.h"
#include "windows/browserview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

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
    for (qsizetype i = 0; i < PortalPages::options().size(); ++i) {
        const QString option = PortalPages::options().at(i);
        auto *button = new QRadioButton(PortalPages::captions().at(i), this);
        button->setObjectName(option);
        button->setChecked(option == PortalPages::startOption());
        connect(button, &QRadioButton::clicked, this,
                [this, option] { m_browser->navigate(PortalPages::address(m_sites, option)); });
        options->addWidget(button);
    }
    options->addStretch(1);
    auto *close = new QPushButton(u"关闭本页面"_s, this);
    close->setObjectName(u"Command1"_s);
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    options->addWidget(close);
    layout->addLayout(options);

    m_browser = new BrowserView(u"WebBrowser1"_s, BrowserView::Silent | BrowserView::NoContextMenu, this);
    layout->addWidget(m_browser, 1);
    m_browser->navigate(PortalPages::address(m_sites, PortalPages::startOption()));
}

BrowserView *PortalWindow::browser() const
{
    return m_browser;
}
