#include "core/texttools.h"
#include "shell/updatecheck.h"
#include "shell/windowshell.h"
#include "support/testharness.h"
#include "ui/clicklabel.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

using namespace Qt::StringLiterals;

namespace {

QByteArray entries(const QList<QStringList> &list)
{
    QString text;
    for (const QStringList &e : list)
        text += u"title:"_s + e.at(0) + u"|url:"_s + e.at(1) + u"|color:"_s + e.at(2) + u"|\r\n"_s;
    return toGbk(text);
}

} // namespace

// The version check and the announcement ticker on the real window against a
// maker's site the test scripts.
class TestUpdateCheck : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void matchingVersionUnlocks();
    void otherVersionSendsToSiteAndEnds_data();
    void otherVersionSendsToSiteAndEnds();
    void unreachableEnds_data();
    void unreachableEnds();
    void notConfiguredSkipsTheCheck();
    void rotationThroughFiveEntries();
    void fewerEntriesCycleThroughThosePresent();
    void garbledFileIsFetchedAgainOneAtATime();
    void labelClickBeforeAndAfterFirstEntry();
    void outsideTextStaysPlain();

private:
    void serveMaker(const QByteArray &version, const QByteArray &announcements, int announcementDelayMs = 0);
    void startWindow(int rotationMs = 30, int retryMs = 30);
    QList<QWidget *> lockedControls();
    UpdateCheck *check();
    int announcementFetches() const;

    std::unique_ptr<TestHarness> m_h;
    QByteArray m_announcements;
};

void TestUpdateCheck::init()
{
    m_h = std::make_unique<TestHarness>();
    m_h->waitForUnlock = false;
}

void TestUpdateCheck::cleanup()
{
    m_h.reset();
}

void TestUpdateCheck::serveMaker(const QByteArray &version, const QByteArray &announcements, int announcementDelayMs)
{
    m_announcements = announcements;
    m_h->demo.addSite(u"maker"_s, [this, version, announcementDelayMs](const DemoRequest &request) {
        if (request.path == u"/version/gx.txt"_s)
            return DemoResponse::text(version, "text/plain");
        if (request.path == u"/data/gg.txt"_s) {
            DemoResponse response = DemoResponse::text(m_announcements, "text/plain");
            response.delayMs = announcementDelayMs;
            return response;
        }
        return DemoResponse::html(u"<html>maker</html>"_s);
    });
}

void TestUpdateCheck::startWindow(int rotationMs, int retryMs)
{
    m_h->window();
    check()->setIntervals(10, 10, rotationMs, retryMs);
}

UpdateCheck *TestUpdateCheck::check()
{
    return m_h->window().shell()->updateCheck();
}

QList<QWidget *> TestUpdateCheck::lockedControls()
{
    QList<QWidget *> controls = {m_h->child<QPushButton>(u"Command1"_s), m_h->child<QLineEdit>(u"Text1"_s),
                                 m_h->child<QTabWidget>(u"SSTab1"_s), m_h->child<QWidget>(u"ListView1"_s),
                                 m_h->child<QCheckBox>(u"Check3"_s), m_h->child<QWidget>(u"aicAlphaImage3"_s)};
    for (int i = 0; i < 24; ++i)
        controls.append(m_h->child<QCheckBox>(u"Check2_"_s + QString::number(i)));
    return controls;
}

int TestUpdateCheck::announcementFetches() const
{
    return int(m_h->demo.requestsFor(u"maker"_s).count(u"/maker/data/gg.txt"_s));
}

void TestUpdateCheck::matchingVersionUnlocks()
{
    serveMaker("V2.0", entries({{u"一"_s, u"http://a.example/"_s, u"red"_s}}));
    QSignalSpy ended(m_h->window().shell(), &WindowShell::endProgram);
    for (QWidget *control : lockedControls())
        QVERIFY2(control && !control->isEnabled(), qPrintable(control ? control->objectName() : u"?"_s));
    QVERIFY(m_h->child<QLabel>(u"Picture1"_s)->isVisible());
    QCOMPARE(m_h->status(), u"正在检测程序最新版本.."_s);
    QVERIFY(m_h->child<QTimer>(u"Timer9"_s)->isActive());
    QCOMPARE(m_h->child<QTimer>(u"Timer9"_s)->interval(), 1000);
    QVERIFY(!m_h->child<QTimer>(u"Timer12"_s)->isActive());

    startWindow();
    QTRY_VERIFY(check()->isUnlocked());
    for (QWidget *control : lockedControls())
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(!m_h->child<QLabel>(u"Picture1"_s)->isVisible());
    QCOMPARE(m_h->status(), u"欢迎使用澄川旗下Lz系列软件 .."_s);
    QCOMPARE(m_h->window().panel(5)->text(), u"当前版本：V2.0 | 网络版本：V2.0"_s);
    QVERIFY(!m_h->child<QTimer>(u"Timer9"_s)->isActive());
    QVERIFY(m_h->child<QTimer>(u"Timer12"_s)->isActive());
    QCOMPARE(m_h->demo.requestsFor(u"maker"_s).count(u"/maker/version/gx.txt"_s), 1);
    QVERIFY(m_h->dialogs.shown.isEmpty());
    QCOMPARE(ended.count(), 0);
}

void TestUpdateCheck::otherVersionSendsToSiteAndEnds_data()
{
    QTest::addColumn<QByteArray>("version");
    QTest::newRow("newer version") << QByteArray("V2.1");
    QTest::newRow("trailing line break") << QByteArray("V2.0\r\n");
    QTest::newRow("other case") << QByteArray("v2.0");
}

void TestUpdateCheck::otherVersionSendsToSiteAndEnds()
{
    QFETCH(QByteArray, version);
    serveMaker(version, {});
    QSignalSpy ended(m_h->window().shell(), &WindowShell::endProgram);
    startWindow();
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 0);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.at(0).text,
             u"发现最新版本!["_s + QString::fromLatin1(version) + u"]\r\n \r\n确定后自动打开官方网站!"_s);
    QCOMPARE(m_h->dialogs.shown.at(0).icon, QMessageBox::Information);
    QCOMPARE(m_h->opener.opened, QList<QUrl>{QUrl(m_h->services.sites.page(u"website"_s))});
    QCOMPARE(m_h->status(), u"欢迎使用澄川旗下Lz系列软件 .."_s);
    QVERIFY(!check()->isUnlocked());
    QVERIFY(!m_h->child<QPushButton>(u"Command1"_s)->isEnabled());
    QVERIFY(!m_h->child<QTimer>(u"Timer12"_s)->isActive());
    QCOMPARE(m_h->window().panel(5)->text(), u"当前版本：V2.0 | 网络版本：未检测"_s);
}

void TestUpdateCheck::unreachableEnds_data()
{
    QTest::addColumn<bool>("closedPort");
    QTest::newRow("nobody listening") << true;
    QTest::newRow("empty version file") << false;
}

void TestUpdateCheck::unreachableEnds()
{
    QFETCH(bool, closedPort);
    serveMaker({}, {});
    if (closedPort)
        m_h->services.sites.setSite(u"maker"_s, u"http://127.0.0.1:1"_s);
    QSignalSpy ended(m_h->window().shell(), &WindowShell::endProgram);
    startWindow();
    QTRY_COMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 1);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.at(0).text, u"暂时无法使用!请您稍后再试!"_s);
    QCOMPARE(m_h->dialogs.shown.at(0).icon, QMessageBox::Warning);
    QVERIFY(m_h->opener.opened.isEmpty());
    QVERIFY(!m_h->child<QPushButton>(u"Command1"_s)->isEnabled());
}

void TestUpdateCheck::notConfiguredSkipsTheCheck()
{
    serveMaker("V2.0", entries({{u"一"_s, u"http://a.example/"_s, u"red"_s}}));
    m_h->services.sites.setSite(u"maker"_s, QString());
    QSignalSpy ended(m_h->window().shell(), &WindowShell::endProgram);
    for (QWidget *control : lockedControls())
        QVERIFY2(control->isEnabled(), qPrintable(control->objectName()));
    QVERIFY(check()->isUnlocked());
    QTest::qWait(200);
    QVERIFY(!m_h->child<QTimer>(u"Timer9"_s)->isActive());
    QVERIFY(!m_h->child<QTimer>(u"Timer12"_s)->isActive());
    QCOMPARE(m_h->window().panel(5)->text(), u"当前版本：V2.0 | 网络版本：未检测"_s);
    QCOMPARE(m_h->child<QLabel>(u"Label17"_s)->text(), u"公告加载中"_s);
    QVERIFY(m_h->demo.requests().isEmpty());
    QCOMPARE(ended.count(), 0);
}

void TestUpdateCheck::rotationThroughFiveEntries()
{
    const QList<QStringList> list = {{u"第一条"_s, u"  http://one.example/a  "_s, u" red "_s},
                                     {u" 第二条 "_s, u"http://two.example/"_s, u"blue"_s},
                                     {u"第三条"_s, u"http://three.example/"_s, u"green"_s},
                                     {u"第四条"_s, u"http://four.example/"_s, u"Red"_s},
                                     {u"第五条"_s, u"http://five.example/"_s, u"purple"_s}};
    serveMaker("V2.0", entries(list));
    startWindow(10000);
    auto *label = m_h->child<QLabel>(u"Label17"_s);
    // What the label shows at each rotation, recorded as it happens: the
    // rotation runs every 20 ms, too fast to sample on a busy machine.
    struct Shown
    {
        int number;
        QString text;
        QColor colour;
        QString address;
    };
    QList<Shown> shown;
    connect(check(), &UpdateCheck::announcementShown, label, [&](int number) {
        shown.append({number, label->text(), label->palette().color(QPalette::WindowText), check()->currentAddress()});
    });
    QTRY_COMPARE(shown.size(), 1);
    QCOMPARE(m_h->child<QTimer>(u"Timer12"_s)->interval(), 10000);
    check()->setIntervals(10, 10, 20, 20);

    const QList<QColor> colours = {Qt::red, Qt::blue, Qt::green, Qt::black, Qt::black};
    const QList<int> order = {1, 2, 3, 4, 5, 1, 2};
    QTRY_VERIFY(shown.size() >= order.size());
    for (int i = 0; i < order.size(); ++i) {
        const int k = order.at(i);
        QCOMPARE(shown.at(i).number, k);
        const QStringList &entry = list.at(k - 1);
        QCOMPARE(shown.at(i).text, entry.at(0));
        QCOMPARE(shown.at(i).colour, colours.at(k - 1));
        QCOMPARE(shown.at(i).address, entry.at(1).trimmed());
    }
    QCOMPARE(announcementFetches(), 1);
}

void TestUpdateCheck::fewerEntriesCycleThroughThosePresent()
{
    serveMaker("V2.0", entries({{u"甲"_s, u"http://a.example/"_s, u"red"_s},
                                {u"乙"_s, u"http://b.example/"_s, u"blue"_s}}));
    startWindow(20);
    QSignalSpy shown(check(), &UpdateCheck::announcementShown);
    QTRY_VERIFY(shown.count() >= 5);
    for (int i = 0; i < 5; ++i)
        QCOMPARE(shown.at(i).at(0).toInt(), i % 2 + 1);
    QCOMPARE(announcementFetches(), 1);
}

void TestUpdateCheck::garbledFileIsFetchedAgainOneAtATime()
{
    serveMaker("V2.0", "nothing of the announcement format here", 150);
    startWindow(20, 50);
    QTRY_VERIFY(check()->isUnlocked());
    QTRY_VERIFY_WITH_TIMEOUT(announcementFetches() >= 3, 10000);
    QCOMPARE(m_h->child<QLabel>(u"Label17"_s)->text(), u"公告加载中"_s);
    QCOMPARE(check()->entryNumber(), 0);
    // Each try waits for the one before (150 ms answers, ticks every 10 ms):
    // without that, a dozen fetches would be under way by now.
    QVERIFY2(announcementFetches() <= 4, qPrintable(QString::number(announcementFetches())));

    m_announcements = entries({{u"恢复了"_s, u"http://ok.example/"_s, u"green"_s}});
    QTRY_COMPARE_WITH_TIMEOUT(m_h->child<QLabel>(u"Label17"_s)->text(), u"恢复了"_s, 10000);
}

void TestUpdateCheck::labelClickBeforeAndAfterFirstEntry()
{
    serveMaker("V2.0", entries({{u"点我"_s, u" http://click.example/news "_s, u"red"_s}}));
    m_h->window();
    auto *label = m_h->child<ClickLabel>(u"Label17"_s);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.at(0).text, u"正在获取公告，请稍等.."_s);
    QVERIFY(m_h->opener.opened.isEmpty());

    check()->setIntervals(10, 10, 3600000, 3600000);
    QTRY_COMPARE(check()->entryNumber(), 1);
    QTest::mouseClick(label, Qt::LeftButton);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->opener.opened, QList<QUrl>{QUrl(u"http://click.example/news"_s)});
}

void TestUpdateCheck::outsideTextStaysPlain()
{
    const QString title = u"<b>粗体</b> & <a href='x'>链接</a>"_s;
    serveMaker("V2.0", entries({{title, u"http://a.example/"_s, u"blue"_s}}));
    startWindow(3600000);
    auto *label = m_h->child<QLabel>(u"Label17"_s);
    QTRY_COMPARE(label->text(), title);
    QCOMPARE(label->textFormat(), Qt::PlainText);
    // Spaces are kept (as no-break spaces) in the tooltip.
    const QString tip = label->toolTip().replace(QChar::Nbsp, QLatin1Char(' '));
    QVERIFY(tip.contains(u"&lt;b&gt;粗体&lt;/b&gt; &amp; &lt;a href="_s));
    QVERIFY(!label->toolTip().contains(u"<b>"_s));
}

QTEST_MAIN(TestUpdateCheck)
#include "tst_updatecheck.moc"
