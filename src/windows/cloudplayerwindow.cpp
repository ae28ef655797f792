#include "windows/cloudplayerwindow.h"

#include "windows/browserview.h"

#include <QVBoxLayout>

using namespace Qt::StringLiterals;

CloudPlayerWindow::CloudPlayerWindow(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(u"Form8"_s);
    setWindowTitle(u"澄川云端播放"_s);
    setWindowIcon(QIcon());
    setModal(true);
    resize(860, 600);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_browser = new BrowserView(u"WebBrowser1"_s, BrowserView::Silent | BrowserView::NoContextMenu, this);
    layout->addWidget(m_browser);
}

void CloudPlayerWindow::play(const QString &address)
{
    m_browser->navigate(address);
    open();
}

BrowserView *CloudPlayerWindow::browser() const
{
    return m_browser;
}
