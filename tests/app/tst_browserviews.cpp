#include "shell/windowshell.h"
#include "sources/playback/livetvarea.h"
#include "support/testharness.h"
#include "windows/browserview.h"

#include <QDialog>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <unistd.h>

using namespace Qt::StringLiterals;

// The one test with the real browser engine: the portal window and the live
// TV page load their demo pages.
class TestBrowserViews : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void liveTvPageLoadsWhenTheTabIsShown();
    void portalWindowLoadsItsPages();

private:
    TestHarness m_h;
};

void TestBrowserViews::liveTvPageLoadsWhenTheTabIsShown()
{
    BrowserView::setEngineAllowed(true);
    BrowserView *browser = m_h.window().shell()->liveTv()->browser();
    QVERIFY(!browser->view()); // start-up does not pay for the engine
    m_h.child<QTabWidget>(u"SSTab1"_s)->setCurrentIndex(6);
    m_h.child<QTabWidget>(u"SSTab3"_s)->setCurrentIndex(3);
    QTRY_VERIFY(browser->view());
    QTRY_COMPARE_WITH_TIMEOUT(browser->view()->title(), u"网络电视 - 同步跟播"_s, 60000);
    QVERIFY(m_h.demo.requestsFor(u"live_tv"_s).contains(u"/live_tv/tb/livecn.swf"_s));
}

void TestBrowserViews::portalWindowLoadsItsPages()
{
    BrowserView::setEngineAllowed(true);
    m_h.child<QTabWidget>(u"SSTab2"_s)->setCurrentIndex(10);
    auto *form = m_h.window().findChild<QDialog *>(u"Form5"_s);
    QVERIFY(form);
    auto *browser = form->findChild<BrowserView *>(u"WebBrowser1"_s);
    QTRY_VERIFY(browser->view());
    QCOMPARE(browser->view()->contextMenuPolicy(), Qt::NoContextMenu);
    // The page's script alert raises nothing in silent mode.
    QTRY_COMPARE_WITH_TIMEOUT(browser->view()->title(), u"视频门户 Option3"_s, 60000);
    QTest::mouseClick(form->findChild<QRadioButton *>(u"Option5"_s), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(browser->view()->title(), u"视频门户 Option5"_s, 60000);
    QVERIFY(m_h.demo.requestsFor(u"portal"_s).contains(u"/portal/Option5/mini/home800.html?app800&bd"_s));
    QCOMPARE(browser->view()->url().fragment(QUrl::FullyEncoded), u"pd%E9%A6%96%E9%A1%B5"_s);
}

int main(int argc, char *argv[])
{
    // Chromium's sandbox cannot start as root (containers, CI).
    if (::geteuid() == 0) {
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--no-sandbox --disable-gpu");
    }
    QApplication app(argc, argv);
    TestBrowserViews test;
    return QTest::qExec(&test, argc, argv);
}
#include "tst_browserviews.moc"
