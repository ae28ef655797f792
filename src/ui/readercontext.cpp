#include "ui/readercontext.h"

#include "core/services.h"
#include "ui/dialogs.h"
#include "ui/urlopener.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>

ReaderContext::ReaderContext(Services *services, QLabel *statusPanel, QWidget *window)
    : m_services(services)
    , m_statusPanel(statusPanel)
    , m_window(window)
{
}

void ReaderContext::report(const QString &text) const
{
    if (m_statusPanel)
        m_statusPanel->setText(text);
}

QString ReaderContext::statusText() const
{
    return m_statusPanel ? m_statusPanel->text() : QString();
}

QMessageBox::StandardButton ReaderContext::message(const QString &text, QMessageBox::Icon icon,
                                                   QMessageBox::StandardButtons buttons) const
{
    if (!m_services->dialogs)
        return QMessageBox::NoButton;
    return m_services->dialogs->message(m_window, text, icon, buttons);
}

bool ReaderContext::openAddress(const QString &address) const
{
    if (m_services->opener && m_services->opener->openAddress(address))
        return true;
    report(QStringLiteral("无法打开该地址.."));
    return false;
}

void ReaderContext::copyText(const QString &text) const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
}

PageFetcher &ReaderContext::fetcher() const
{
    return *m_services->fetcher;
}

const SiteConfig &ReaderContext::sites() const
{
    return m_services->sites;
}

Services &ReaderContext::services() const
{
    return *m_services;
}

QWidget *ReaderContext::window() const
{
    return m_window;
}
