#include "windows/portalwindow.h"

#include "windows/browserview.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

PortalWindow::PortalWindow(const QList<Entry> &entries, const QString &startOption, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Form5"_s);
    setWindowTitle(u"网络视频"_s);
    setWindowIcon(QIcon());
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(true);
    resize(860, 600);

    auto *layout = new QVBoxLayout(this);
    auto *options = new QHBoxLayout();
    QString startAddress;
    for (const Entry &entry : entries) {
        auto *button = new QRadioButton(entry.caption, this);
        button->setObjectName(entry.option);
        button->setChecked(entry.option == startOption);
        if (entry.option == startOption)
            startAddress = entry.address;
        const QString address = entry.address;
        connect(button, &QRadioButton::clicked, this, [this, address] { m_browser->navigate(address); });
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
    m_browser->navigate(startAddress);
}

BrowserView *PortalWindow::browser() const
{
    return m_browser;
}
