#include "windows/browserview.h"

#include "windows/silentpage.h"

#include <QDir>
#include <QVBoxLayout>
#include <QWebEngineDownloadRequest>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

bool g_engineAllowed = true;

} // namespace

void BrowserView::setEngineAllowed(bool allowed)
{
    g_engineAllowed = allowed;
}

bool BrowserView::engineAllowed()
{
    return g_engineAllowed;
}

BrowserView::BrowserView(const QString &name, Options options, QWidget *parent)
    : QWidget(parent)
    , m_options(options)
{
    setObjectName(name);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
}

void BrowserView::navigate(const QString &address)
{
    m_address = address;
    Q_EMIT navigated(address);
    if (!m_view && (m_options & LoadHidden))
        ensureEngine();
    if (m_view)
        m_view->setUrl(QUrl(address, QUrl::TolerantMode));
}

QString BrowserView::address() const
{
    return m_address;
}

QWebEngineView *BrowserView::view() const
{
    return m_view;
}

void BrowserView::setDownloadDirectory(const QString &directory)
{
    m_downloadDirectory = directory;
}

void BrowserView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_view) {
        ensureEngine();
        if (m_view && !m_address.isEmpty())
            m_view->setUrl(QUrl(m_address, QUrl::TolerantMode));
    }
}

void BrowserView::ensureEngine()
{
    if (m_view || !g_engineAllowed)
        return;
    m_view = new QWebEngineView(this);
    m_view->setObjectName(objectName() + QStringLiteral("_view"));
    if (m_options & Silent)
        m_view->setPage(new SilentPage(m_view));
    if (m_options & NoContextMenu)
        m_view->setContextMenuPolicy(Qt::NoContextMenu);
    if (m_options & TakeDownloads) {
        connect(m_view->page()->profile(), &QWebEngineProfile::downloadRequested, this,
                [this](QWebEngineDownloadRequest *download) {
                    if (download->page() != m_view->page())
                        return;
                    if (!m_downloadDirectory.isEmpty()) {
                        QDir().mkpath(m_downloadDirectory);
                        download->setDownloadDirectory(m_downloadDirectory);
                    }
                    download->accept();
                });
    }
    layout()->addWidget(m_view);
}
