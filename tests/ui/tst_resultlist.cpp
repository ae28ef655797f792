#include "core/services.h"
#include "support/recordingopener.h"
#include "ui/readercontext.h"
#include "ui/resultlist.h"
#include "ui/resultlistcatalog.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(ResultMenuItem)

class TestResultList : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void catalogHasTheNineteenLists();
    void columnsAreLockedAndHiddenStayHidden_data();
    void columnsAreLockedAndHiddenStayHidden();
    void listsWithoutMenuIgnoreRightClick_data();
    void listsWithoutMenuIgnoreRightClick();
    void cellsByKeyAndSubitem();
    void copyActions_data();
    void copyActions();
    void openActions_data();
    void openActions();
    void guardNeedsItemText();
    void noInPlaceEditing();

private:
    QLabel m_status;
    Services m_services;
    RecordingOpener m_opener;
};

void TestResultList::init()
{
    m_services.opener = &m_opener;
    m_opener.opened.clear();
    m_opener.addresses.clear();
    m_status.clear();
}

void TestResultList::catalogHasTheNineteenLists()
{
    const QList<ResultListShape> &shapes = resultListShapes();
    QCOMPARE(shapes.size(), qsizetype(19));
    for (int i = 0; i < shapes.size(); ++i) {
        QCOMPARE(shapes.at(i).name, u"ListView"_s + QString::number(i + 1));
        QCOMPARE(shapes.at(i).columns.first().key, u"xh"_s);
    }
    QVERIFY(!findResultListShape(u"ListView20"_s));
}

void TestResultList::columnsAreLockedAndHiddenStayHidden_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<int>>("hidden");
    QTest::newRow("ListView1") << u"ListView1"_s << QList<int>{};
    QTest::newRow("ListView2") << u"ListView2"_s << QList<int>{4, 5};
    QTest::newRow("ListView3") << u"ListView3"_s << QList<int>{2};
    QTest::newRow("ListView4") << u"ListView4"_s << QList<int>{4};
    QTest::newRow("ListView13") << u"ListView13"_s << QList<int>{4};
    QTest::newRow("ListView14") << u"ListView14"_s << QList<int>{4};
    QTest::newRow("ListView16") << u"ListView16"_s << QList<int>{2};
    QTest::newRow("ListView18") << u"ListView18"_s << QList<int>{2};
    QTest::newRow("ListView19") << u"ListView19"_s << QList<int>{};
}

void TestResultList::columnsAreLockedAndHiddenStayHidden()
{
    QFETCH(QString, name);
    QFETCH(QList<int>, hidden);
    std::unique_ptr<ResultList> list(ResultList::create(name));
    list->resize(900, 300);
    list->show();
    QVERIFY(QTest::qWaitForWindowExposed(list.get()));
    QHeaderView *header = list->header();
    QList<int> widths;
    for (int i = 0; i < list->columnCount(); ++i) {
        QCOMPARE(header->sectionResizeMode(i), QHeaderView::Fixed);
        QCOMPARE(header->isSectionHidden(i), hidden.contains(i));
        widths.append(header->sectionSize(i));
    }
    QCOMPARE(header->sectionSize(0), list->shape().columns.first().twips / 15);

    // Drag the first divider and double-click it: nothing may move.
    const int divider = header->sectionViewportPosition(0) + header->sectionSize(0) - 1;
    const QPoint at(divider, header->height() / 2);
    QTest::mousePress(header->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseMove(header->viewport(), at + QPoint(120, 0));
    QTest::mouseRelease(header->viewport(), Qt::LeftButton, {}, at + QPoint(120, 0));
    QTest::mouseDClick(header->viewport(), Qt::LeftButton, {}, at);
    for (int i = 0; i < list->columnCount(); ++i) {
        QCOMPARE(header->sectionSize(i), widths.at(i));
        QCOMPARE(header->isSectionHidden(i), hidden.contains(i));
    }
}

void TestResultList::listsWithoutMenuIgnoreRightClick_data()
{
    QTest::addColumn<QString>("name");
    for (const char *name : {"ListView3", "ListView13", "ListView14", "ListView16", "ListView17", "ListView18"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestResultList::listsWithoutMenuIgnoreRightClick()
{
    QFETCH(QString, name);
    std::unique_ptr<ResultList> list(ResultList::create(name));
    QVERIFY(!list->menu());
    QCOMPARE(list->contextMenuPolicy(), Qt::NoContextMenu);
    list->show();
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5), list->viewport()->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(list->viewport(), &event);
    QVERIFY(!QApplication::activePopupWidget());
}

void TestResultList::cellsByKeyAndSubitem()
{
    std::unique_ptr<ResultList> list(ResultList::create(u"ListView2"_s));
    QTreeWidgetItem *row = list->addRow(u"1"_s, {{u"fhdz"_s, u"magnet:?xt=1"_s}, {u"mc"_s, u"名字"_s}, {u"nope"_s, u"x"_s}});
    QCOMPARE(list->cellText(row, 1), u"名字"_s);
    QCOMPARE(list->cellText(row, 5), u"magnet:?xt=1"_s);
    QCOMPARE(list->cellText(row, 2), QString());
    QCOMPARE(list->cellText(row, 9), QString()); // beyond the row: empty
    QCOMPARE(list->cellText(nullptr, 1), QString());
    QCOMPARE(list->columnOf(u"xzdz"_s), 4);
    QCOMPARE(list->columnOf(u"dz"_s), -1);

    // Control characters cut from a page never reach a cell.
    const QString dirty = u"a"_s + QChar(0) + u"b\x01\x7f\tc\r\nd"_s;
    QTreeWidgetItem *junk = list->addRow(dirty, {{u"mc"_s, dirty}});
    QCOMPARE(junk->text(0), u"ab c  d"_s);
    list->setCell(junk, u"dx"_s, u"1\x1bGB"_s);
    QCOMPARE(list->cellText(junk, 1), u"ab c  d"_s);
    QCOMPARE(list->cellText(junk, 2), u"1GB"_s);
}

void TestResultList::copyActions_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<ResultMenuItem>("item");
    for (const ResultListShape &shape : resultListShapes()) {
        for (const ResultMenuItem &item : shape.menuItems) {
            if (item.kind == ResultMenuItem::Kind::CopyCell)
                QTest::newRow(qPrintable(item.name)) << shape.name << item;
        }
    }
}

void TestResultList::copyActions()
{
    QFETCH(QString, list);
    QFETCH(ResultMenuItem, item);
    std::unique_ptr<ResultList> view(ResultList::create(list));
    view->bindRowActions(ReaderContext(&m_services, &m_status, nullptr));
    QTreeWidgetItem *row = view->addRow(u"1"_s);
    for (int c = 1; c < view->columnCount(); ++c)
        row->setText(c, u"cell "_s + QString::number(c));
    QGuiApplication::clipboard()->setText(u"before"_s);

    view->menuAction(item.name)->trigger();
    QCOMPARE(m_status.text(), u"请先查询再进行操作!"_s);
    QCOMPARE(QGuiApplication::clipboard()->text(), u"before"_s);

    view->setCurrentItem(row);
    view->menuAction(item.name)->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), u"cell "_s + QString::number(item.subitem));
    QCOMPARE(m_status.text(), item.message);
}

void TestResultList::openActions_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<ResultMenuItem>("item");
    for (const ResultListShape &shape : resultListShapes()) {
        for (const ResultMenuItem &item : shape.menuItems) {
            if (item.kind == ResultMenuItem::Kind::OpenCell)
                QTest::newRow(qPrintable(item.name)) << shape.name << item;
        }
    }
}

void TestResultList::openActions()
{
    QFETCH(QString, list);
    QFETCH(ResultMenuItem, item);
    std::unique_ptr<ResultList> view(ResultList::create(list));
    view->bindRowActions(ReaderContext(&m_services, &m_status, nullptr));
    QTreeWidgetItem *row = view->addRow(u"1"_s);
    row->setText(item.subitem, u"http://files.example/a b/c?d=1&e=2"_s);
    view->setCurrentItem(row);
    view->menuAction(item.name)->trigger();
    QCOMPARE(m_opener.opened.size(), 1);
    // The whole address, spaces included, reaches the opener.
    QCOMPARE(m_opener.opened.first().toString(), u"http://files.example/a b/c?d=1&e=2"_s);

    for (const QString &unsafe : {u"file:///etc/passwd"_s, u"javascript:alert(1)"_s, u"/bin/sh"_s, QString()}) {
        row->setText(item.subitem, unsafe);
        view->menuAction(item.name)->trigger();
        QCOMPARE(m_status.text(), u"无法打开该地址.."_s);
    }
    row->setText(item.subitem, u"ed2k://|file|a.avi|1|ABC|/"_s);
    view->menuAction(item.name)->trigger();
    QCOMPARE(m_opener.addresses.size(), 2);
    QCOMPARE(m_opener.addresses.last(), u"ed2k://|file|a.avi|1|ABC|/"_s);
}

void TestResultList::guardNeedsItemText()
{
    std::unique_ptr<ResultList> view(ResultList::create(u"ListView15"_s));
    QTreeWidgetItem *row = view->addRow(QString());
    row->setSelected(true);
    QVERIFY(!view->actionRow());
    row->setText(0, u"1"_s);
    QCOMPARE(view->actionRow(), row);
    view->clear();
    QVERIFY(!view->actionRow());
}

void TestResultList::noInPlaceEditing()
{
    std::unique_ptr<ResultList> view(ResultList::create(u"ListView1"_s));
    QTreeWidgetItem *row = view->addRow(u"百度网盘"_s);
    QVERIFY(!(row->flags() & Qt::ItemIsEditable));
    QCOMPARE(view->editTriggers(), QAbstractItemView::NoEditTriggers);
}

QTEST_MAIN(TestResultList)
#include "tst_resultlist.moc"
