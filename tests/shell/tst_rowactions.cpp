#include "support/testharness.h"
#include "ui/resultlist.h"

#include <QAction>
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

QTEST_MAIN(TestRowActions)
#include "tst_rowactions.moc"
