#include "core/definitioncatalog.h"
#include "shell/windowshell.h"
#include "sources/playback/livetvarea.h"
#include "sources/playback/livetvchannels.h"
#include "support/testharness.h"
#include "ui/clicklabel.h"
#include "windows/browserview.h"

#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace Qt::StringLiterals;

// The main window's chrome: tab strips and panel 4, the portal tab, the live
// TV list, the secondary windows and the link controls. The browser engine
// stays out: the browser controls only remember where they were sent.
class TestChrome : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void tabStripsAndCaptions();
    void panelFourFollowsEveryStrip_data();
    void panelFourFollowsEveryStrip();
    void portalTabReturnsToPreviousTab();
    void portalWindowOptionsAndReopening();
    void liveTvChannels();
    void faqWindowFromBothButtons_data();
    void faqWindowFromBothButtons();
    void linkControls_data();
    void linkControls();
    void hiddenBrowsersAndInertNotices();
    void imageButtonsSelectTheirTab();
    void channelBoxSnapsBack();

private:
    QTabWidget *strip(const QString &name);
    void click(QWidget *widget);

    std::unique_ptr<TestHarness> m_h;
};

void TestChrome::initTestCase()
{
    BrowserView::setEngineAllowed(false);
}

void TestChrome::init()
{
    m_h = std::make_unique<TestHarness>();
}

void TestChrome::cleanup()
{
    m_h.reset();
}

QTabWidget *TestChrome::strip(const QString &name)
{
    return m_h->child<QTabWidget>(name);
}

void TestChrome::click(QWidget *widget)
{
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
}

void TestChrome::tabStripsAndCaptions()
{
    QCOMPARE(m_h->window().windowTitle(), u"聚源匣 2014【贺岁版】 - 搜你所想"_s);
    const QList<QPair<QString, int>> strips = {
        {u"SSTab1"_s, 9}, {u"SSTab2"_s, 11}, {u"SSTab3"_s, 5}, {u"SSTab4"_s, 3}, {u"SSTab5"_s, 2}};
    for (const auto &[name, count] : strips)
        QCOMPARE(strip(name)->count(), count);
    const QList<QPair<QString, QStringList>> captions = {
        {u"SSTab1"_s,
         {u"网盘资源"_s, u"影音资源"_s, u"软件资源"_s, u"书籍资源"_s, u"教育资源"_s, u"综合资源"_s, u"在线播放"_s,
          u"关于程序"_s, u"聚合搜索"_s}},
        {u"SSTab2"_s,
         {u"番号资源"_s, u"BT资源"_s, u"云点播资源"_s, u"影视资源①"_s, u"影视资源②"_s, u"影视资源③"_s,
          u"影视资源④"_s, u"音乐资源"_s, u"动漫资源"_s, u"澄川云点播"_s, u"网络视频"_s}},
        {u"SSTab4"_s, {u"综合资源①"_s, u"综合资源②"_s, u"综合资源③"_s}},
        {u"SSTab5"_s, {u"资源①"_s, u"资源②（支持自定义搜索）"_s}},
    };
    for (const auto &[name, texts] : captions) {
        for (int i = 0; i < texts.size(); ++i)
            QCOMPARE(strip(name)->tabText(i), texts.at(i));
    }
    const QStringList panels = {u"运行提示："_s, u"欢迎使用澄川旗下Lz系列软件 .."_s, m_h->window().panel(3)->text(),
                                u"网盘资源"_s, u"当前版本：V2.0 | 网络版本：V2.0"_s, u"澄川出品"_s};
    for (int i = 0; i < 6; ++i)
        QCOMPARE(m_h->window().panel(i + 1)->text(), panels.at(i));
    QVERIFY(!m_h->window().panel(3)->text().isEmpty());
    QCOMPARE(m_h->child<QLabel>(u"Label19"_s)->text(), u"版本号：2.0.710"_s);
    QVERIFY(m_h->child<QLabel>(u"Label20"_s)->text().startsWith(u"最后更新："_s));
    QVERIFY(m_h->window().windowIcon().isNull());
}

void TestChrome::panelFourFollowsEveryStrip_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::newRow("main strip") << u"SSTab1"_s << 7;
    QTest::newRow("media strip") << u"SSTab2"_s << 4;
    QTest::newRow("playback strip") << u"SSTab3"_s << 3;
    QTest::newRow("general strip") << u"SSTab4"_s << 2;
    QTest::newRow("software strip") << u"SSTab5"_s << 1;
}

void TestChrome::panelFourFollowsEveryStrip()
{
    QFETCH(QString, name);
    QFETCH(int, index);
    strip(name)->setCurrentIndex(index);
    QCOMPARE(m_h->window().panel(4)->text(), strip(name)->tabText(index));
}

void TestChrome::portalTabReturnsToPreviousTab()
{
    QTabWidget *media = strip(u"SSTab2"_s);
    media->setCurrentIndex(3);
    media->setCurrentIndex(10);
    QCOMPARE(media->currentIndex(), 3);
    QCOMPARE(m_h->window().shell()->lastMediaTab(), 3);
    QCOMPARE(m_h->window().panel(4)->text(), media->tabText(3));
    auto *portal = m_h->window().findChild<QDialog *>(u"Form5"_s);
    QVERIFY(portal && portal->isVisible() && portal->isModal());
    QCOMPARE(portal->windowTitle(), u"网络视频"_s);
    QVERIFY(portal->windowIcon().isNull());
    // Closing it leaves the strip where it was.
    click(portal->findChild<QPushButton *>(u"Command1"_s));
    QTRY_VERIFY(!m_h->window().findChild<QDialog *>(u"Form5"_s));
    QCOMPARE(media->currentIndex(), 3);
}

void TestChrome::portalWindowOptionsAndReopening()
{
    const QString portal = m_h->demo.siteBase(u"portal"_s);
    strip(u"SSTab2"_s)->setCurrentIndex(10);
    QPointer<QDialog> form = m_h->window().findChild<QDialog *>(u"Form5"_s);
    QVERIFY(form);
    auto *browser = form->findChild<BrowserView *>(u"WebBrowser1"_s);
    QCOMPARE(browser->address(), portal + u"/Option3/qplus/"_s);
    const QList<QPair<QString, QString>> options = {
        {u"Option1"_s, u"/Option1/widget/qqplus/index.html"_s},
        {u"Option2"_s, u"/Option2/upload/sohuapp/index.html"_s},
        {u"Option4"_s, u"/Option4/360api/index.php"_s},
        {u"Option5"_s, u"/Option5/mini/home800.html?app800&bd#pd%E9%A6%96%E9%A1%B5"_s},
        {u"Option6"_s, u"/Option6/cooperation/qq.html"_s},
        {u"Option8"_s, u"/Option8/channel_360_v2/zuixin.html"_s},
        {u"Option3"_s, u"/Option3/qplus/"_s}};
    for (const auto &[option, path] : options) {
        click(form->findChild<QRadioButton *>(option));
        QCOMPARE(browser->address(), portal + path);
    }
    QVERIFY(!form->findChild<QRadioButton *>(u"Option7"_s));
    click(form->findChild<QRadioButton *>(u"Option8"_s));
    form->close();
    QTRY_VERIFY(!form);
    strip(u"SSTab2"_s)->setCurrentIndex(10);
    form = m_h->window().findChild<QDialog *>(u"Form5"_s);
    QVERIFY(form);
    QCOMPARE(form->findChild<BrowserView *>(u"WebBrowser1"_s)->address(), portal + u"/Option3/qplus/"_s);
}

void TestChrome::liveTvChannels()
{
    auto *list = m_h->child<QListWidget>(u"List1"_s);
    QCOMPARE(list->count(), 10);
    QCOMPARE(list->item(2)->text(), u"同步跟播"_s);
    QCOMPARE(list->item(8)->text(), u"小品频道"_s);
    auto *browser = m_h->window().shell()->liveTv()->browser();
    QCOMPARE(browser->objectName(), u"WebBrowser1"_s);
    const QString base = m_h->demo.siteBase(u"live_tv"_s);
    QCOMPARE(browser->address(), base + u"/tb/livecn.swf"_s);
    QVERIFY(!browser->view()); // the engine waits until the tab is shown

    // No selection: nothing happens.
    QSignalSpy navigated(browser, &BrowserView::navigated);
    m_h->window().shell()->liveTv()->openChannel(list->currentRow());
    QCOMPARE(navigated.count(), 0);

    for (int index : {0, 5, 9, 2}) {
        list->setCurrentRow(index);
        Q_EMIT list->itemDoubleClicked(list->item(index));
        QCOMPARE(browser->address(),
                 LiveTvChannels::address(DefinitionCatalog::builtIns().get(u"live-tv"_s), base, index));
    }
    QCOMPARE(navigated.count(), 4);
    QCOMPARE(browser->address(), base + u"/tb/livecn.swf"_s);
    QCOMPARE(LiveTvChannels::address(DefinitionCatalog::builtIns().get(u"live-tv"_s), base, 9), base + u"/vip/1.swf"_s);
}

void TestChrome::faqWindowFromBothButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("about tab") << u"Command52"_s;
    QTest::newRow("playback tab") << u"Command54"_s;
}

void TestChrome::faqWindowFromBothButtons()
{
    QFETCH(QString, button);
    auto *command = m_h->child<QPushButton>(button);
    QCOMPARE(command->text(), u"常见问题"_s);
    command->click();
    auto *faq = m_h->window().findChild<QDialog *>(u"Form4"_s);
    QVERIFY(faq && faq->isVisible() && faq->isModal());
    QCOMPARE(faq->windowTitle(), u"常见问题"_s);
    QVERIFY(faq->findChild<QPlainTextEdit *>(u"Text1"_s)->toPlainText().contains(u"jyxq.ini"_s));
    auto *link = faq->findChild<ClickLabel *>(u"Label1"_s);
    QCOMPARE(link->text(), u"如上述问题中没有解答您的疑问，请点击此处留言反馈，我们会尽快答复"_s);
    click(link);
    QCOMPARE(m_h->opener.opened, QList<QUrl>{QUrl(m_h->services.sites.page(u"feedback"_s))});
}

void TestChrome::linkControls_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("page");
    QTest::newRow("forum") << u"Command44"_s << u"forum"_s;
    QTest::newRow("guest book") << u"Command5"_s << u"guestbook"_s;
    QTest::newRow("website notice") << u"Label21"_s << u"website"_s;
    QTest::newRow("program website") << u"Label22"_s << u"program_site"_s;
    QTest::newRow("maker image") << u"Image1"_s << u"maker_page"_s;
    QTest::newRow("design credit") << u"Label36"_s << u"design_studio"_s;
    QTest::newRow("shop") << u"Label37_0"_s << u"shop"_s;
    QTest::newRow("site page") << u"Label37_3"_s << u"site_page"_s;
    QTest::newRow("cloud site") << u"Label37_4"_s << u"cloud_site"_s;
    QTest::newRow("panel 6") << u"Panel6"_s << u"website"_s;
}

void TestChrome::linkControls()
{
    QFETCH(QString, control);
    QFETCH(QString, page);
    auto *widget = m_h->child<QWidget>(control);
    if (auto *button = qobject_cast<QPushButton *>(widget))
        button->click();
    else
        click(widget);
    QCOMPARE(m_h->opener.opened, QList<QUrl>{QUrl(m_h->services.sites.page(page))});
    QVERIFY(!m_h->services.sites.page(page).isEmpty());
}

void TestChrome::hiddenBrowsersAndInertNotices()
{
    click(m_h->child<QWidget>(u"Label37_1"_s));
    QCOMPARE(m_h->window().shell()->hiddenBrowser(2)->address(), m_h->services.sites.page(u"contact"_s));
    click(m_h->window().panel(3));
    QCOMPARE(m_h->window().shell()->hiddenBrowser(3)->address(), m_h->services.sites.page(u"discussion_group"_s));
    click(m_h->child<QWidget>(u"Label37_2"_s));
    for (int panel : {1, 2, 4, 5})
        click(m_h->window().panel(panel));
    QVERIFY(m_h->opener.opened.isEmpty());
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestChrome::imageButtonsSelectTheirTab()
{
    auto *highlight = m_h->child<ClickLabel>(u"aicAlphaImage3"_s);
    QVERIFY(!m_h->window().findChild<QWidget *>(u"aicAlphaImage2_8"_s)); // none for 聚合搜索
    for (int i : {6, 2, 0}) {
        auto *button = m_h->child<QWidget>(u"aicAlphaImage2_"_s + QString::number(i));
        QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), button->mapToGlobal(QPointF(5, 5)));
        QCoreApplication::sendEvent(button, &enter);
        QVERIFY(highlight->isVisible());
        QCOMPARE(highlight->geometry(), button->geometry());
        click(highlight);
        QCOMPARE(strip(u"SSTab1"_s)->currentIndex(), i);
    }
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(strip(u"SSTab1"_s), &enter);
    QVERIFY(!highlight->isVisible());

    // From a button straight onto the banner around it: no Enter reaches
    // the banner, the move alone must hide the highlight.
    auto *banner = m_h->child<QWidget>(u"Picture4"_s);
    auto *last = m_h->child<QWidget>(u"aicAlphaImage2_7"_s);
    QTest::mouseMove(last, QPoint(5, 5));
    QEnterEvent onButton(QPointF(5, 5), QPointF(5, 5), last->mapToGlobal(QPointF(5, 5)));
    QCoreApplication::sendEvent(last, &onButton);
    QVERIFY(highlight->isVisible());
    const QPoint beside = last->geometry().topRight() + QPoint(4, 5); // the gap before Label17
    QVERIFY(!banner->childAt(beside) || banner->childAt(beside) == highlight);
    QMouseEvent move(QEvent::MouseMove, QPointF(beside), banner->mapToGlobal(QPointF(beside)), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(banner, &move);
    QVERIFY(!highlight->isVisible());
}

void TestChrome::channelBoxSnapsBack()
{
    auto *combo = m_h->child<QComboBox>(u"Combo1"_s);
    QCOMPARE(combo->count(), 3);
    QCOMPARE(combo->currentText(), u"搜索渠道①"_s);
    combo->setCurrentIndex(1);
    QCOMPARE(combo->currentText(), u"搜索渠道②"_s);
    combo->setCurrentIndex(2);
    QCOMPARE(combo->currentText(), u"搜索渠道①"_s);
}

QTEST_MAIN(TestChrome)
#include "tst_chrome.moc"
