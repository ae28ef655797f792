#include "core/texttools.h"
#include "shell/settingswindow.h"
#include "shell/termsofuse.h"
#include "shell/windowshell.h"
#include "support/testharness.h"
#include "ui/clicklabel.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList BoxNames = {u"Check1"_s, u"Check3"_s, u"Check4"_s, u"Check5"_s, u"Check6"_s, u"Check7"_s};

} // namespace

// Form9 and the terms-of-use box, with jyxq.ini read back as bytes.
class TestSettingsWindow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void loadsEachBoxFromItsKey();
    void noFileLeavesAllBoxesClear();
    void saveWritesSixKeysAndAsksToRestart_data();
    void saveWritesSixKeysAndAsksToRestart();
    void savingMusicOffStopsTheMusic();
    void cancelWritesNothing();
    void restoreDefaults_data();
    void restoreDefaults();
    void termsOfUse_data();
    void termsOfUse();
    void termsDeclinedShowTermsOnEveryTick();
    void shareIconsAndTutorial();

private:
    void writeFile(const QString &text);
    QString fileText() const;
    SettingsWindow *openForm();
    QCheckBox *box(SettingsWindow *form, int i);

    std::unique_ptr<TestHarness> m_h;
};

void TestSettingsWindow::init()
{
    m_h = std::make_unique<TestHarness>();
}

void TestSettingsWindow::cleanup()
{
    m_h.reset();
}

void TestSettingsWindow::writeFile(const QString &text)
{
    QFile file(m_h->home.filePath(u"jyxq.ini"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(toGbk(text));
}

QString TestSettingsWindow::fileText() const
{
    QFile file(m_h->home.filePath(u"jyxq.ini"_s));
    return file.open(QIODevice::ReadOnly) ? fromGbk(file.readAll()) : QString();
}

SettingsWindow *TestSettingsWindow::openForm()
{
    m_h->child<QPushButton>(u"Command45"_s)->click();
    auto *form = m_h->window().findChild<SettingsWindow *>(u"Form9"_s);
    if (form && form->isModal() && form->isVisible() && form->windowTitle() == u"软件设置"_s)
        return form;
    return nullptr;
}

QCheckBox *TestSettingsWindow::box(SettingsWindow *form, int i)
{
    return form->findChild<QCheckBox *>(BoxNames.at(i));
}

void TestSettingsWindow::loadsEachBoxFromItsKey()
{
    writeFile(u"[信息设置]\r\n春节元素=是\r\n新年音乐=否\r\n关闭快播=总是\r\n关闭协议=yes\r\n屏蔽快播广告=是\r\n"_s);
    SettingsWindow *form = openForm();
    QVERIFY(form);
    const QList<bool> expected = {true, false, true, false, false, true};
    for (int i = 0; i < 6; ++i)
        QVERIFY2(box(form, i)->isChecked() == expected.at(i), qPrintable(BoxNames.at(i)));
    QCOMPARE(box(form, 3)->text(), u"退出软件时同时关闭QvodTermail(网络传输)"_s);
}

void TestSettingsWindow::noFileLeavesAllBoxesClear()
{
    SettingsWindow *form = openForm();
    QVERIFY(form);
    for (int i = 0; i < 6; ++i)
        QVERIFY(!box(form, i)->isChecked());
    QVERIFY(!QFile::exists(m_h->home.filePath(u"jyxq.ini"_s)));
}

void TestSettingsWindow::saveWritesSixKeysAndAsksToRestart_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("restart") << QMessageBox::Yes;
    QTest::newRow("later") << QMessageBox::No;
}

void TestSettingsWindow::saveWritesSixKeysAndAsksToRestart()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QSignalSpy restart(m_h->window().shell(), &WindowShell::restartProgram);
    QPointer<SettingsWindow> form = openForm();
    QVERIFY(form);
    box(form, 2)->setChecked(true);
    box(form, 5)->setChecked(true);
    // The command line as started, Qt's own options included.
    m_h->services.arguments = {u"--demo"_s, u"-platform"_s, u"offscreen"_s};
    m_h->dialogs.answerNext(answer);
    form->findChild<QPushButton *>(u"Command1"_s)->click();
    QCOMPARE(fileText(), u"[信息设置]\r\n春节元素=否\r\n新年音乐=否\r\n关闭快播=是\r\n关闭协议=否\r\n禁止启动=否\r\n"
                         u"屏蔽快播广告=是\r\n"_s);
    QCOMPARE(m_h->dialogs.shown.size(), 1);
    QCOMPARE(m_h->dialogs.shown.at(0).text, u"设置成功!需重启生效,现在为您重启软件?"_s);
    QCOMPARE(m_h->dialogs.shown.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    QTRY_VERIFY(!form); // closed and gone either way
    if (answer == QMessageBox::Yes) {
        QCOMPARE(restart.count(), 1);
        QCOMPARE(restart.at(0).at(0).toString(), QCoreApplication::applicationFilePath());
        QCOMPARE(restart.at(0).at(1).toStringList(), (QStringList{u"--demo"_s, u"-platform"_s, u"offscreen"_s}));
    } else {
        QCOMPARE(restart.count(), 0);
    }
}

void TestSettingsWindow::savingMusicOffStopsTheMusic()
{
    QPointer<SettingsWindow> form = openForm();
    QSignalSpy stop(form.data(), &SettingsWindow::stopMusic);
    box(form, 1)->setChecked(true);
    form->save();
    QCOMPARE(stop.count(), 0);
    QTRY_VERIFY(!form);
    form = openForm();
    QVERIFY(form);
    QSignalSpy stopAgain(form.data(), &SettingsWindow::stopMusic);
    QVERIFY(box(form, 1)->isChecked());
    box(form, 1)->setChecked(false);
    form->save();
    QCOMPARE(stopAgain.count(), 1);
}

void TestSettingsWindow::cancelWritesNothing()
{
    QPointer<SettingsWindow> form = openForm();
    box(form, 0)->setChecked(true);
    form->findChild<QPushButton *>(u"Command2"_s)->click();
    QTRY_VERIFY(!form);
    QVERIFY(!QFile::exists(m_h->home.filePath(u"jyxq.ini"_s)));
    QVERIFY(m_h->dialogs.shown.isEmpty());
}

void TestSettingsWindow::restoreDefaults_data()
{
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("yes") << QMessageBox::Yes;
    QTest::newRow("no") << QMessageBox::No;
}

void TestSettingsWindow::restoreDefaults()
{
    QFETCH(QMessageBox::StandardButton, answer);
    QPointer<SettingsWindow> form = openForm();
    box(form, 2)->setChecked(true); // 关闭快播 keeps its state
    m_h->dialogs.answerNext(answer);
    m_h->dialogs.answerNext(QMessageBox::No);
    form->findChild<QPushButton *>(u"Command3"_s)->click();
    QCOMPARE(m_h->dialogs.shown.at(0).text, u"确认要恢复默认设置?"_s);
    if (answer == QMessageBox::No) {
        QCOMPARE(m_h->dialogs.shown.size(), 1);
        QVERIFY(form && form->isVisible());
        QVERIFY(!box(form, 0)->isChecked());
        QVERIFY(!QFile::exists(m_h->home.filePath(u"jyxq.ini"_s)));
        return;
    }
    QCOMPARE(m_h->dialogs.shown.size(), 2); // then the restart question
    QCOMPARE(m_h->dialogs.shown.at(1).text, u"设置成功!需重启生效,现在为您重启软件?"_s);
    QCOMPARE(fileText(), u"[信息设置]\r\n春节元素=是\r\n新年音乐=是\r\n关闭快播=是\r\n关闭协议=否\r\n禁止启动=是\r\n"
                         u"屏蔽快播广告=否\r\n"_s);
}

void TestSettingsWindow::termsOfUse_data()
{
    QTest::addColumn<QString>("stored"); // the file's 阅读协议, empty for none
    QTest::addColumn<bool>("checkedBefore");
    QTest::addColumn<QMessageBox::StandardButton>("answer"); // NoButton: no box expected
    QTest::addColumn<bool>("checkedAfter");
    QTest::addColumn<QString>("storedAfter");
    QTest::newRow("never answered, tick") << QString() << false << QMessageBox::NoButton << true << u"是"_s;
    QTest::newRow("accepted, untick") << u"是"_s << true << QMessageBox::NoButton << false << u"否"_s;
    QTest::newRow("declined, tick, yes") << u"否"_s << false << QMessageBox::Yes << true << u"是"_s;
    QTest::newRow("declined, tick, no") << u"否"_s << false << QMessageBox::No << false << u"否"_s;
    QTest::newRow("declined, untick") << u"否"_s << true << QMessageBox::NoButton << false << u"否"_s;
}

void TestSettingsWindow::termsOfUse()
{
    QFETCH(QString, stored);
    QFETCH(bool, checkedBefore);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, checkedAfter);
    QFETCH(QString, storedAfter);
    if (!stored.isEmpty())
        writeFile(u"[信息设置]\r\n阅读协议="_s + stored + u"\r\n"_s);
    auto *terms = m_h->child<QCheckBox>(u"Check1"_s);
    QCOMPARE(terms->text(), u"阅读并同意遵守使用协议"_s);
    terms->setChecked(checkedBefore);
    if (answer != QMessageBox::NoButton)
        m_h->dialogs.answerNext(answer);
    terms->click();
    QCOMPARE(terms->isChecked(), checkedAfter);
    QCOMPARE(SettingsFile(m_h->home.path()).GetFromINI(u"信息设置"_s, u"阅读协议"_s), storedAfter);
    if (answer == QMessageBox::NoButton) {
        QVERIFY(m_h->dialogs.shown.isEmpty());
    } else {
        QCOMPARE(m_h->dialogs.shown.size(), 1);
        QCOMPARE(m_h->dialogs.shown.at(0).text, m_h->child<QLabel>(u"Label6"_s)->text());
        QCOMPARE(m_h->dialogs.shown.at(0).buttons, QMessageBox::Yes | QMessageBox::No);
    }
}

void TestSettingsWindow::termsDeclinedShowTermsOnEveryTick()
{
    auto *terms = m_h->child<QCheckBox>(u"Check1"_s);
    terms->click(); // 是
    terms->click(); // 否
    m_h->dialogs.answerNext(QMessageBox::No);
    terms->click();
    m_h->dialogs.answerNext(QMessageBox::No);
    terms->click();
    QCOMPARE(m_h->dialogs.shown.size(), 2);
    QVERIFY(!terms->isChecked());
    const QString text = m_h->dialogs.shown.at(0).text;
    QVERIFY(text.startsWith(u"用户使用协议：\r\n\r\n一，使用者必须为十八周岁以上及八十周岁以下\r\n"_s));
    QVERIFY(text.endsWith(u"将立即终止本功能的使用！\r\n\r\n是否能保证遵守？"_s));
    QCOMPARE(text.count(u"\r\n"_s), 9);
}

void TestSettingsWindow::shareIconsAndTutorial()
{
    QPointer<SettingsWindow> form = openForm();
    QTest::mouseClick(form->findChild<ClickLabel *>(u"Image1"_s), Qt::LeftButton);
    const QString shared = QGuiApplication::clipboard()->text();
    QVERIFY(shared.startsWith(SettingsWindow::shareTitle() + u"\r\n"_s));
    QVERIFY(shared.endsWith(m_h->services.sites.page(u"download"_s)));
    QCOMPARE(m_h->dialogs.shown.at(0).text, u"分享内容已复制到剪贴板，打开您要分享的QQ好友，直接发送即可!"_s);

    QTest::mouseClick(form->findChild<ClickLabel *>(u"Image2"_s), Qt::LeftButton);
    QTest::mouseClick(form->findChild<ClickLabel *>(u"Image6"_s), Qt::LeftButton);
    QTest::mouseClick(form->findChild<ClickLabel *>(u"Label9"_s), Qt::LeftButton);
    QCOMPARE(m_h->opener.opened.size(), 3);
    const QString site = UTF8_URLEncoding(m_h->services.sites.page(u"website"_s));
    QCOMPARE(m_h->opener.opened.at(0).toString(QUrl::FullyEncoded),
             m_h->services.sites.page(u"share2"_s).replace(u"{url}"_s, site).replace(u"{title}"_s,
                                                                                    UTF8_URLEncoding(SettingsWindow::shareTitle())));
    // Icon 6 carries the title percent-encoded from its GBK bytes.
    QVERIFY(m_h->opener.opened.at(1).toString(QUrl::FullyEncoded).endsWith(u"&title=%BE%DB%D4%B4%CF%BB"_s
                                                                           + SettingsWindow::gbkPercentEncoded(
                                                                               SettingsWindow::shareTitle().mid(3))));
    QCOMPARE(SettingsWindow::gbkPercentEncoded(u"聚源匣 V2"_s), u"%BE%DB%D4%B4%CF%BB%20V2"_s);
    QCOMPARE(m_h->opener.opened.at(2), QUrl(m_h->services.sites.page(u"tutorial"_s)));
}

QTEST_MAIN(TestSettingsWindow)
#include "tst_settingswindow.moc"
