#include "core/siteconfig.h"
#include "support/testharness.h"
#include "windows/sitestatuswindow.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The "站点状态" window of the about tab: what the program's own fetches
// found, and a re-check that follows a site going down.
class TestSiteStatus : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void showsLastOutcomesAndRechecks();
};

void TestSiteStatus::showsLastOutcomesAndRechecks()
{
    TestHarness h;
    MainWindow &window = h.window();
    // A search that finds 20 rows on the ed2k site.
    h.child<QLineEdit>(u"Text19"_s)->setText(u"地球"_s);
    h.child<QPushButton>(u"Command38_4"_s)->click();
    QTRY_COMPARE_WITH_TIMEOUT(h.status(), u"资源获取完毕.."_s, 10000);

    h.services.sitesFile = u"/srv/juyuanxia/sites.ini"_s;
    h.child<QPushButton>(u"siteStatusButton"_s)->click();
    auto *dialog = window.findChild<SiteStatusWindow *>();
    QVERIFY(dialog);
    // The file the addresses were read from.
    QCOMPARE(dialog->findChild<QLabel *>(u"sitesFileLabel"_s)->text(), u"配置文件：/srv/juyuanxia/sites.ini"_s);
    auto *table = dialog->findChild<QTableWidget *>(u"siteStatusTable"_s);
    const auto cell = [table, dialog](const QString &key, int column) {
        const int row = dialog->rowOf(key);
        return row < 0 ? QString() : table->item(row, column)->text();
    };
    QCOMPARE(table->rowCount(), SiteConfig::siteKeys().size());
    QCOMPARE(cell(u"ed2k_search"_s, SiteStatusWindow::SiteColumn), u"ed2k搜索"_s);
    QCOMPARE(cell(u"ed2k_search"_s, SiteStatusWindow::OutcomeColumn), u"正常，20 条"_s);
    QVERIFY(cell(u"ed2k_search"_s, SiteStatusWindow::TimeTakenColumn).endsWith(u" ms"_s));
    // The version check read the maker's site; nothing asked the torrent site.
    QCOMPARE(cell(u"maker"_s, SiteStatusWindow::OutcomeColumn), u"正常"_s);
    QCOMPARE(cell(u"torrent_search"_s, SiteStatusWindow::OutcomeColumn), u"未检测"_s);

    // The site goes down; a re-check of its row says so.
    h.services.sites.setSite(u"ed2k_search"_s, u"http://127.0.0.1:1/ed2k_search"_s);
    auto *recheck = dialog->findChild<QPushButton *>(u"recheckButton"_s);
    QVERIFY(!recheck->isEnabled());
    table->selectRow(dialog->rowOf(u"ed2k_search"_s));
    QVERIFY(recheck->isEnabled());
    recheck->click();
    QTRY_COMPARE_WITH_TIMEOUT(cell(u"ed2k_search"_s, SiteStatusWindow::OutcomeColumn), u"连接被拒绝"_s, 10000);

    // And back up: the re-check counts the probe's rows.
    h.services.sites.setSite(u"ed2k_search"_s, h.demo.siteBase(u"ed2k_search"_s));
    recheck->click();
    QTRY_VERIFY_WITH_TIMEOUT(cell(u"ed2k_search"_s, SiteStatusWindow::OutcomeColumn).startsWith(u"正常，"_s), 10000);
    QVERIFY(cell(u"ed2k_search"_s, SiteStatusWindow::OutcomeColumn) != u"正常，0 条"_s);
}

QTEST_MAIN(TestSiteStatus)
#include "tst_sitestatus.moc"
