#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMenu>
#include <QTest>

using namespace Qt::StringLiterals;

// Every item of every list's menu, in the window as the user gets it, is
// wired to its action: with no row to act on, each answers with the row
// guard (the export with its own refusal), and none fetches anything.
class TestRowActions : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void everyMenuItemAnswers();
    void doubleClicksOnEmptyLists();
};

void TestRowActions::everyMenuItemAnswers()
{
    TestHarness h;
    QTRY_VERIFY_WITH_TIMEOUT(h.window().mainTabs()->isEnabled(), 15000);
    h.demo.clearRequests();
    const QList<ResultList *> lists = h.window().findChildren<ResultList *>();
    QCOMPARE(lists.size(), 19);
    int items = 0;
    for (ResultList *list : lists) {
        if (!list->menu())
            continue;
        for (QAction *action : list->menu()->actions()) {
            if (action->isSeparator())
                continue;
            ++items;
            const QString name = list->objectName() + u"/"_s + action->objectName();
            h.window().panel(2)->setText(u"-"_s);
            h.dialogs.shown.clear();
            action->trigger();
            const QString expected =
                action->objectName() == u"dcsj"_s ? u"没有可导出的数据.."_s : u"请先查询再进行操作!"_s;
            QVERIFY2(h.status() == expected, qPrintable(name + u": "_s + h.status()));
        }
    }
    QCOMPARE(items, 36); // the thirteen menus
    QTest::qWait(100);
    QVERIFY(h.demo.requests().isEmpty());
}

void TestRowActions::doubleClicksOnEmptyLists()
{
    // Seven lists read something on a double-click; on an empty list each
    // refuses with the row guard. The other twelve ignore double-clicks.
    const QStringList readers = {u"ListView3"_s,  u"ListView5"_s,  u"ListView13"_s, u"ListView14"_s,
                                 u"ListView16"_s, u"ListView17"_s, u"ListView18"_s};
    TestHarness h;
    QTRY_VERIFY_WITH_TIMEOUT(h.window().mainTabs()->isEnabled(), 15000);
    h.child<QCheckBox>(u"Check1"_s)->setChecked(true); // the playback lists ask for the terms first
    h.demo.clearRequests();
    for (ResultList *list : h.window().findChildren<ResultList *>()) {
        h.window().panel(2)->setText(u"-"_s);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(5, 5));
        const QString expected = readers.contains(list->objectName()) ? u"请先查询再进行操作!"_s : u"-"_s;
        QVERIFY2(h.status() == expected, qPrintable(list->objectName() + u": "_s + h.status()));
    }
    QVERIFY(h.dialogs.shown.isEmpty());
    QVERIFY(h.demo.requests().isEmpty());
}

QTEST_MAIN(TestRowActions)
#include "tst_rowactions.moc"
