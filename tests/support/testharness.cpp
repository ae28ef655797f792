#include "support/testharness.h"

#include "core/sitestatusboard.h"
#include "shell/mainwindow.h"
#include "shell/updatecheck.h"
#include "shell/windowshell.h"
#include "windows/browserview.h"

#include <QLabel>
#include <QTest>
#include <QUrl>

TestHarness::TestHarness()
{
    // Windows that show a web page (Form8, the live TV page) keep the
    // browser engine out; a test about the pages themselves lets it in.
    BrowserView::setEngineAllowed(false);
    if (!demo.start())
        qFatal("the demo server could not listen on 127.0.0.1");
    services.sites = demo.siteConfig();
    services.homeDir = home.path();
    services.downloadDir = downloads.path();
    services.dialogs = &dialogs;
    services.opener = &opener;
    services.processes = &processes;
}

TestHarness::~TestHarness() = default;

MainWindow &TestHarness::window()
{
    if (!m_window) {
        m_fetcher = std::make_unique<PageFetcher>(services.sites.network());
        m_fetcher->setSiteOf([this](const QUrl &url) { return services.sites.siteKeyFor(url.toString()); });
        services.fetcher = m_fetcher.get();
        m_siteStatus = std::make_unique<SiteStatusBoard>(services.sites, *m_fetcher);
        services.siteStatus = m_siteStatus.get();
        m_window = std::make_unique<MainWindow>(services);
        UpdateCheck *check = m_window->shell()->updateCheck();
        if (waitForUnlock)
            check->setIntervals(10, 3600000, 3600000, 3600000);
        m_window->show();
        if (waitForUnlock) {
            if (!QTest::qWaitFor([check] { return check->isUnlocked(); }, 15000))
                qWarning("the version check did not unlock the window");
            demo.clearRequests();
        }
    }
    return *m_window;
}

void TestHarness::destroyWindow()
{
    m_window.reset();
}

QString TestHarness::status() const
{
    return m_window ? m_window->panel(2)->text() : QString();
}
