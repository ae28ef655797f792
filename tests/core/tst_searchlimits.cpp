#include "core/searchlimits.h"

#include <QTest>

using namespace Qt::StringLiterals;

// What one search may take whatever its site states: the pages it reads
// from a stated page count, the text it joins across them, the rows a list
// holds.
class TestSearchLimits : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void lastPage_data();
    void lastPage();
    void joinedText_data();
    void joinedText();
    void largePagesStopAtTheCap();
};

void TestSearchLimits::lastPage_data()
{
    QTest::addColumn<int>("stated");
    QTest::addColumn<int>("last");
    QTest::addRow("none stated") << 0 << 1;
    QTest::addRow("negative") << -5 << 1;
    QTest::addRow("three") << 3 << 3;
    QTest::addRow("ten") << 10 << 10;
    QTest::addRow("eleven") << 11 << SearchLimits::MaxPages;
    QTest::addRow("two billion") << 2000000000 << SearchLimits::MaxPages;
}

void TestSearchLimits::lastPage()
{
    QFETCH(int, stated);
    QFETCH(int, last);
    QCOMPARE(SearchLimits::lastPage(stated), last);
}

void TestSearchLimits::joinedText_data()
{
    QTest::addColumn<qsizetype>("joined"); // characters before the page
    QTest::addColumn<qsizetype>("page");
    QTest::addColumn<qsizetype>("after");
    constexpr qsizetype Cap = SearchLimits::MaxTextChars;
    QTest::addRow("room for all") << qsizetype(10) << qsizetype(100) << qsizetype(112);
    QTest::addRow("cut at the cap") << Cap - 50 << qsizetype(100) << Cap;
    QTest::addRow("room for the break only") << Cap - 2 << qsizetype(100) << Cap;
    QTest::addRow("full") << Cap << qsizetype(100) << Cap;
}

void TestSearchLimits::joinedText()
{
    QFETCH(qsizetype, joined);
    QFETCH(qsizetype, page);
    QFETCH(qsizetype, after);
    QString text(joined, u'a');
    SearchLimits::appendPage(text, u"\r\n", QString(page, u'b'));
    QCOMPARE(text.size(), after);
    QCOMPARE(SearchLimits::roomForPage(text.size()), after < SearchLimits::MaxTextChars);
}

// Pages of 30 MB each, as a loop over a stated page count joins them: the
// second fills the cap and the loop stops there.
void TestSearchLimits::largePagesStopAtTheCap()
{
    const QString page(30 * 1024 * 1024, u'c');
    QString joined = page;
    int pages = 1;
    for (int next = SearchLimits::lastPage(50); next > 1 && SearchLimits::roomForPage(joined.size()); --next) {
        SearchLimits::appendPage(joined, u"\r\n", page);
        ++pages;
    }
    QCOMPARE(pages, 2);
    QCOMPARE(joined.size(), SearchLimits::MaxTextChars);
}

QTEST_GUILESS_MAIN(TestSearchLimits)
#include "tst_searchlimits.moc"
