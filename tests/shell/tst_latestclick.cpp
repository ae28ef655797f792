#include "support/testharness.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "windows/browserview.h"

#include <QAction>
#include <QClipboard>
#include <QDialog>
#include <QGuiApplication>
#include <QTest>

#include <functional>

using namespace Qt::StringLiterals;

namespace {

// A row action that fetches a page, and where its result shows.
struct RowAction
{
    const char *name;
    QString list;
    QString menuAction; // empty: a double-click
    QString siteKey;
    QString addressKey; // the column holding the page's address
    QString pageA, pageB;
    std::function<QString(TestHarness &)> result;
    QString fromA, fromB; // what the result holds after A's page, after B's
};

QString clipboard(TestHarness &)
{
    return QGuiApplication::clipboard()->text();
}

QString cloudPlayer(TestHarness &h)
{
    auto *window = h.window().findChild<QDialog *>(u"Form8"_s);
    auto *browser = window ? window->findChild<BrowserView *>() : nullptr;
    return browser ? browser->address() : QString();
}

QString playerList(TestHarness &h)
{
    return PlaybackFeeds::of(&h.window())->playerList().join(u'\n');
}

QString qvodList(TestHarness &h)
{
    return PlaybackFeeds::of(&h.window())->qvodList().join(u'\n');
}

const QList<RowAction> &actions()
{
    static const QList<RowAction> table = {
        {"ed2k extraction", u"ListView6"_s, u"kctqzz"_s, u"emule"_s, u"zzdz"_s, u"/emule/detail/movie-1.html"_s,
         u"/emule/detail/movie-2.html"_s, clipboard, u"|movie-1-cd1.mkv|"_s, u"|movie-2-cd1.mkv|"_s},
        {"cloud on-demand", u"ListView6"_s, u"jdydbf"_s, u"emule"_s, u"zzdz"_s, u"/emule/detail/movie-1.html"_s,
         u"/emule/detail/movie-2.html"_s, cloudPlayer, u"|movie-1-cd1.mkv|"_s, u"|movie-2-cd1.mkv|"_s},
        {"movie download address", u"ListView5"_s, u"jxyszz"_s, u"movie_listing"_s, u"zzdz"_s,
         u"/html/gndy/dyzz/20131201/40001.html"_s, u"/html/gndy/dyzz/20131201/40002.html"_s, playerList,
         u"40001.mkv"_s, u"40002.mkv"_s},
        {"movie resource QVOD addresses", u"ListView13"_s, {}, u"movie_resource"_s, u"zzdz"_s, u"/detail.asp?ID=1"_s,
         u"/detail.asp?ID=2"_s, qvodList, u"|影片1第1集.rmvb|"_s, u"|影片2第1集.rmvb|"_s},
    };
    return table;
}

} // namespace

// Click row A, then row B, and let A's page answer last: every row action
// that fetches acts on B's page alone.
class TestLatestClick : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void olderAnswerArrivingLastIsDropped_data();
    void olderAnswerArrivingLastIsDropped();
};

void TestLatestClick::olderAnswerArrivingLastIsDropped_data()
{
    QTest::addColumn<int>("action");
    for (qsizetype i = 0; i < actions().size(); ++i)
        QTest::newRow(actions().at(i).name) << int(i);
}

void TestLatestClick::olderAnswerArrivingLastIsDropped()
{
    QFETCH(int, action);
    const RowAction &row = actions().at(action);
    TestHarness h;
    QTRY_VERIFY_WITH_TIMEOUT(h.window().mainTabs()->isEnabled(), 15000);
    QGuiApplication::clipboard()->setText(u"before"_s);
    ResultList *list = h.child<ResultList>(row.list);
    QVERIFY(list);
    const QString base = h.demo.siteBase(row.siteKey);
    QTreeWidgetItem *a = list->addRow(u"1"_s, {{row.addressKey, base + row.pageA}});
    QTreeWidgetItem *b = list->addRow(u"2"_s, {{row.addressKey, base + row.pageB}});
    const auto trigger = [&](QTreeWidgetItem *item) {
        list->setCurrentItem(item);
        if (row.menuAction.isEmpty())
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        else
            list->menuAction(row.menuAction)->trigger();
    };
    QStringList fetched;
    connect(h.services.fetcher, &PageFetcher::fetched, this,
            [&fetched](const FetchOutcome &outcome) { fetched.append(outcome.address); });
    h.demo.holdSite(row.siteKey);
    trigger(a);
    QTRY_COMPARE_WITH_TIMEOUT(h.demo.heldRequests(row.siteKey), 1, 10000);
    trigger(b);
    QTRY_COMPARE_WITH_TIMEOUT(h.demo.heldRequests(row.siteKey), 2, 10000);

    // B answers first and is acted on.
    h.demo.releaseNewest(row.siteKey);
    QTRY_VERIFY_WITH_TIMEOUT(row.result(h).contains(row.fromB), 10000);
    // Then A: its page came, and changes nothing.
    h.demo.releaseSite(row.siteKey);
    QTRY_VERIFY_WITH_TIMEOUT(fetched.contains(base + row.pageA), 10000);
    QCoreApplication::processEvents();
    const QString result = row.result(h);
    QVERIFY2(result.contains(row.fromB) && !result.contains(row.fromA), qPrintable(result));
}

QTEST_MAIN(TestLatestClick)
#include "tst_latestclick.moc"
