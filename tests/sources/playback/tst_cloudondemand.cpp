#include "sources/playback/cloudondemandreader.h"
#include "support/testharness.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "windows/browserview.h"
#include "windows/cloudplayerwindow.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTest>

using namespace Qt::StringLiterals;

// Cloud on-demand: its three entry points and the requests of other readers
// open Form8 on the service's request address. The browser engine stays
// out: a BrowserView keeps the address it was sent to.
class TestCloudOnDemand : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void addressBox_data();
    void addressBox();
    void pasteReplacesTheBox();
    void torrentListRow();
    void torrentListWithoutSelection();
    void detailPageEd2k_data();
    void detailPageEd2k();
    void requestsOfOtherReaders();
    void servicePageShowsTheAddress();

private:
    CloudPlayerWindow *form();
    QString requestFor(const QString &address) const;

    std::unique_ptr<TestHarness> m_h;
    CloudOnDemandReader *m_reader = nullptr;
};

void TestCloudOnDemand::initTestCase()
{
    BrowserView::setEngineAllowed(false);
}

void TestCloudOnDemand::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->window();
    QTRY_VERIFY_WITH_TIMEOUT(m_h->window().mainTabs()->isEnabled(), 15000);
    m_reader = m_h->window().findChild<CloudOnDemandReader *>(u"CloudOnDemandReader"_s);
    QVERIFY(m_reader);
    m_h->demo.clearRequests();
}

void TestCloudOnDemand::cleanup()
{
    m_h.reset();
}

CloudPlayerWindow *TestCloudOnDemand::form()
{
    return m_h->window().findChild<CloudPlayerWindow *>(u"Form8"_s);
}

QString TestCloudOnDemand::requestFor(const QString &address) const
{
    return m_h->demo.siteBase(u"cloud_on_demand"_s) + u"/api.php?ed=1&url="_s + address;
}

void TestCloudOnDemand::addressBox_data()
{
    QTest::addColumn<QString>("address");
    QTest::newRow("empty") << QString();
    QTest::newRow("magnet with a display name")
        << u"magnet:?xt=urn:btih:0123456789abcdef0123456789abcdef01234567&dn=Demo Film&tr=udp://t.example:80"_s;
    QTest::newRow("ed2k") << u"ed2k://|file|影片.rmvb|1024|0123456789ABCDEF0123456789ABCDEF|/"_s;
}

void TestCloudOnDemand::addressBox()
{
    QFETCH(QString, address);
    m_h->child<QLineEdit>(u"Text12"_s)->setText(address);
    QTest::mouseClick(m_h->child<QPushButton>(u"Command43"_s), Qt::LeftButton);
    if (address.isEmpty()) {
        QCOMPARE(m_h->status(), u"请输入视频地址"_s);
        QVERIFY(!form());
        return;
    }
    QVERIFY(form());
    QVERIFY(form()->isVisible());
    QVERIFY(form()->isModal());
    QCOMPARE(form()->windowTitle(), u"澄川云端播放"_s);
    QCOMPARE(form()->browser()->address(), requestFor(address));
    // The address box reports nothing, also after closing.
    const QString before = m_h->status();
    form()->reject();
    QCOMPARE(m_h->status(), before);
}

void TestCloudOnDemand::pasteReplacesTheBox()
{
    auto *box = m_h->child<QLineEdit>(u"Text12"_s);
    box->setText(u"old"_s);
    QGuiApplication::clipboard()->setText(u"magnet:?xt=urn:btih:abc"_s);
    QTest::mouseClick(m_h->child<QPushButton>(u"Command56"_s), Qt::LeftButton);
    QCOMPARE(box->text(), u"magnet:?xt=urn:btih:abc"_s);
}

void TestCloudOnDemand::torrentListRow()
{
    auto *list = m_h->child<ResultList>(u"ListView19"_s);
    const QString magnet = u"magnet:?xt=urn:btih:ffff&dn=name"_s;
    list->addRow(u"1"_s, {{u"mc"_s, u"影片"_s}, {u"cl"_s, magnet}});
    list->setCurrentItem(list->topLevelItem(0));
    list->menuAction(u"ydydbf"_s)->trigger();
    QVERIFY(form() && form()->isVisible());
    QCOMPARE(form()->browser()->address(), requestFor(magnet));
    // Shown only once the window has been closed.
    QVERIFY(m_h->status() != u"请您欣赏.."_s);
    form()->reject();
    QCOMPARE(m_h->status(), u"请您欣赏.."_s);

    // The window is reused for the next request.
    CloudPlayerWindow *first = form();
    list->menuAction(u"ydydbf"_s)->trigger();
    QCOMPARE(form(), first);
    QVERIFY(first->isVisible());
}

void TestCloudOnDemand::torrentListWithoutSelection()
{
    m_h->child<ResultList>(u"ListView19"_s)->menuAction(u"ydydbf"_s)->trigger();
    QCOMPARE(m_h->status(), u"请先查询再进行操作!"_s);
    QVERIFY(!form());
}

void TestCloudOnDemand::detailPageEd2k_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("link");
    QTest::newRow("two links: the first") << u"/sample/ed2k-two.html"_s
                                          << u"ed2k://|file|演示影片.CD1.rmvb|734003200|0123456789ABCDEF0123456789ABCDEF|/"_s;
    QTest::newRow("no link: no request") << u"/sample/ed2k-none.html"_s << QString();
}

void TestCloudOnDemand::detailPageEd2k()
{
    QFETCH(QString, page);
    QFETCH(QString, link);
    // The eMule movie list is another reader's; a list of its shape will do.
    std::unique_ptr<ResultList> list(ResultList::create(u"ListView6"_s));
    list->addRow(u"1"_s, {{u"mc"_s, u"影片"_s}, {u"zzdz"_s, m_h->demo.siteBase(u"cloud_on_demand"_s) + page}});
    list->setCurrentItem(list->topLevelItem(0));
    m_reader->playFirstEd2kLink(list.get());
    QCOMPARE(m_h->status(), u"正在进行澄川云点播.."_s);
    QTRY_COMPARE_WITH_TIMEOUT(m_h->demo.requestsFor(u"cloud_on_demand"_s).size(), 1, 15000);
    if (link.isEmpty()) {
        QTest::qWait(300);
        QVERIFY(!form());
        QCOMPARE(m_h->status(), u"正在进行澄川云点播.."_s);
        return;
    }
    QTRY_VERIFY_WITH_TIMEOUT(form() && form()->isVisible(), 15000);
    QCOMPARE(form()->browser()->address(), requestFor(link));
    form()->reject();
    QCOMPARE(m_h->status(), u"请您欣赏.."_s);
}

void TestCloudOnDemand::requestsOfOtherReaders()
{
    PlaybackFeeds::of(&m_h->window())->requestCloudPlay(u"ed2k://|file|a|1|/"_s);
    QVERIFY(form() && form()->isVisible());
    QCOMPARE(form()->browser()->address(), requestFor(u"ed2k://|file|a|1|/"_s));
}

void TestCloudOnDemand::servicePageShowsTheAddress()
{
    // The demo service reads the raw query: a display name stays with the magnet.
    const QString magnet = u"magnet:?xt=urn:btih:abc&dn=Demo"_s;
    QNetworkAccessManager manager;
    QNetworkReply *reply = manager.get(QNetworkRequest(QUrl(requestFor(magnet))));
    QTRY_VERIFY_WITH_TIMEOUT(reply->isFinished(), 15000);
    QVERIFY(QString::fromUtf8(reply->readAll()).contains(magnet.toHtmlEscaped()));
    QCOMPARE(m_h->demo.requestsFor(u"cloud_on_demand"_s),
             QStringList{u"/cloud_on_demand/api.php?ed=1&url="_s + magnet});
    reply->deleteLater();
}

QTEST_MAIN(TestCloudOnDemand)
#include "tst_cloudondemand.moc"
