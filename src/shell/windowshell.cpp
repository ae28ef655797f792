#include "shell/windowshell.h"

#include "core/processcontrol.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "core/sitestatusboard.h"
#include "shell/browserclosetimer.h"
#include "shell/mainwindow.h"
#include "shell/mediaplayer.h"
#include "shell/settingswindow.h"
#include "shell/sitecheck.h"
#include "shell/termsofuse.h"
#include "shell/updatecheck.h"
#include "sources/netdisk/netdiskreader.h"
#include "sources/playback/livetvarea.h"
#include "sources/playback/portalpages.h"
#include "ui/clicklabel.h"
#include "windows/browserview.h"
#include "windows/faqwindow.h"
#include "windows/festivewindow.h"
#include "windows/portalwindow.h"
#include "windows/sitestatuswindow.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

constexpr int PlaybackTab = 6;
constexpr int AboutTab = 7;
constexpr int LiveTvPage = 3; // of SSTab3
constexpr int PortalTab = 10; // of SSTab2
constexpr QSize ButtonSize(104, 44);

QPixmap tabButtonPicture(const QString &caption, int index)
{
    QPixmap pixmap(ButtonSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient fill(0, 0, 0, ButtonSize.height());
    const QColor base = QColor::fromHsv((200 + index * 20) % 360, 150, 200);
    fill.setColorAt(0, base.lighter(140));
    fill.setColorAt(1, base.darker(120));
    p.setPen(QPen(base.darker(160), 1));
    p.setBrush(fill);
    p.drawRoundedRect(QRectF(1.5, 1.5, ButtonSize.width() - 3, ButtonSize.height() - 3), 8, 8);
    QFont font = p.font();
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRect(QPoint(0, 0), ButtonSize), Qt::AlignCenter, caption);
    return pixmap;
}

QPixmap highlightPicture()
{
    QPixmap pixmap(ButtonSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(255, 210, 60), 3));
    p.setBrush(QColor(255, 255, 255, 70));
    p.drawRoundedRect(QRectF(2, 2, ButtonSize.width() - 4, ButtonSize.height() - 4), 8, 8);
    return pixmap;
}

QPixmap coverPicture(const QSize &size)
{
    QPixmap pixmap(size.expandedTo(QSize(1, 1)));
    QPainter p(&pixmap);
    QLinearGradient fill(0, 0, 0, pixmap.height());
    fill.setColorAt(0, QColor(60, 110, 180));
    fill.setColorAt(1, QColor(20, 40, 90));
    p.fillRect(pixmap.rect(), fill);
    QFont font = p.font();
    font.setPixelSize(28);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(pixmap.rect(), Qt::AlignCenter, u"聚源匣 2014\n正在检测程序最新版本.."_s);
    return pixmap;
}

QPixmap makerLogo()
{
    QPixmap pixmap(88, 31);
    pixmap.fill(QColor(20, 90, 160));
    QPainter p(&pixmap);
    p.setPen(Qt::white);
    QFont font = p.font();
    font.setPixelSize(16);
    font.setBold(true);
    p.setFont(font);
    p.drawText(pixmap.rect(), Qt::AlignCenter, u"澄川出品"_s);
    return pixmap;
}

} // namespace

const QString &WindowShell::programVersion()
{
    static const QString version = u"2.0.710"_s;
    return version;
}

WindowShell::WindowShell(MainWindow *window, Services &services)
    : QObject(window)
    , m_window(window)
    , m_services(services)
    , m_context(window->context())
    , m_settings(services.homeDir)
{
    setObjectName(u"WindowShell"_s);
    buildBanner();
    buildPlaybackRow();
    buildAboutPage();

    m_update = new UpdateCheck(m_context, m_ticker, window->panel(5), this);
    connect(m_update, &UpdateCheck::endProgram, this, &WindowShell::endProgram);
    connect(m_update, &UpdateCheck::unlocked, this, &WindowShell::ready);

    m_termsOfUse = new TermsOfUse(m_context, m_settings, m_terms, this);
    m_browserClose = new BrowserCloseTimer(services.processes, this);
    m_startupSound = new MediaPlayer(u"W1"_s, this);
    m_music = new MediaPlayer(u"W2"_s, this);
    m_festive = new FestiveWindow(window);

    m_mediaTabs = window->innerTabs(u"SSTab2"_s);
    if (m_mediaTabs)
        connect(m_mediaTabs, &QTabWidget::currentChanged, this, &WindowShell::mediaTabChanged);

    for (int number : {3, 6})
        window->panel(number)->installEventFilter(this);
}

void WindowShell::buildBanner()
{
    QWidget *tabs = m_window->takeCentralWidget();
    auto *central = new QWidget(m_window);
    central->setObjectName(u"Form1_client"_s);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    layout->setSpacing(4);

    m_banner = new QWidget(central);
    m_banner->setObjectName(u"Picture4"_s);
    auto *row = new QHBoxLayout(m_banner);
    row->setContentsMargins(0, 0, 0, 0);
    QTabWidget *mainTabs = m_window->mainTabs();
    // One button for each of the eight resource tabs; 聚合搜索 after them
    // is reached by its tab and Ctrl+K.
    constexpr int BannerButtons = 8;
    for (int i = 0; i < qMin(mainTabs->count(), BannerButtons); ++i) {
        auto *button = new ClickLabel(u"aicAlphaImage2_"_s + QString::number(i), {}, m_banner);
        button->setPixmap(tabButtonPicture(mainTabs->tabText(i), i));
        button->setFixedSize(ButtonSize);
        button->installEventFilter(this);
        row->addWidget(button);
        m_imageButtons.append(button);
    }
    row->addSpacing(12);
    m_ticker = new ClickLabel(u"Label17"_s, u"公告加载中"_s, m_banner);
    m_ticker->setMinimumWidth(160);
    row->addWidget(m_ticker, 1);
    // Moves over the banner and the window background hide the highlight;
    // they come without Enter when the pointer leaves a button for them.
    m_banner->setMouseTracking(true);
    m_banner->installEventFilter(this);

    m_highlight = new ClickLabel(u"aicAlphaImage3"_s, {}, m_banner);
    m_highlight->setPixmap(highlightPicture());
    m_highlight->setFixedSize(ButtonSize);
    m_highlight->hide();
    connect(m_highlight, &ClickLabel::clicked, this,
            [this] { m_window->mainTabs()->setCurrentIndex(m_highlightIndex); });

    layout->addWidget(m_banner);
    layout->addWidget(tabs, 1);
    m_window->setCentralWidget(central);
    central->setMouseTracking(true);
    central->installEventFilter(this);
    tabs->installEventFilter(this);

    m_cover = new QLabel(tabs);
    m_cover->setObjectName(u"Picture1"_s);
    m_cover->setScaledContents(true);
    m_cover->setPixmap(coverPicture(QSize(800, 500)));
    m_cover->setGeometry(tabs->rect());
    m_cover->raise();
}

void WindowShell::buildPlaybackRow()
{
    QWidget *page = m_window->mainTabs()->widget(PlaybackTab);
    auto *pageLayout = qobject_cast<QBoxLayout *>(page->layout());
    auto *row = new QHBoxLayout();
    m_terms = new QCheckBox(u"阅读并同意遵守使用协议"_s, page);
    m_terms->setObjectName(u"Check1"_s);
    m_terms->setToolTip(TermsOfUse::text());
    row->addWidget(m_terms);
    auto *terms = new QLabel(TermsOfUse::text(), page);
    terms->setObjectName(u"Label6"_s);
    terms->setTextFormat(Qt::PlainText);
    terms->hide(); // shown in the question box when the box is ticked
    row->addWidget(terms);
    row->addStretch(1);
    auto *faq = new QPushButton(u"常见问题"_s, page);
    faq->setObjectName(u"Command54"_s);
    connect(faq, &QPushButton::clicked, this, &WindowShell::openFaq);
    row->addWidget(faq);
    if (pageLayout)
        pageLayout->insertLayout(0, row);

    QTabWidget *playback = m_window->innerTabs(u"SSTab3"_s);
    if (playback)
        m_liveTv = new LiveTvArea(m_services.sites, playback->widget(LiveTvPage), this);
}

ClickLabel *WindowShell::linkLabel(QWidget *parent, const QString &name, const QString &text, const QString &pageKey)
{
    auto *label = new ClickLabel(name, text, parent);
    label->setStyleSheet(u"color: blue; text-decoration: underline;"_s);
    if (!pageKey.isEmpty())
        connect(label, &ClickLabel::clicked, this, [this, pageKey] { openPage(pageKey); });
    return label;
}

void WindowShell::buildAboutPage()
{
    QWidget *page = m_window->mainTabs()->widget(AboutTab);
    auto *layout = new QVBoxLayout(page);

    auto *title = new QLabel(u"聚源匣 2014【贺岁版】"_s, page);
    title->setObjectName(u"Label18"_s);
    QFont big = title->font();
    big.setPointSize(big.pointSize() + 6);
    big.setBold(true);
    title->setFont(big);
    layout->addWidget(title);
    auto *version = new QLabel(u"版本号："_s + programVersion(), page);
    version->setObjectName(u"Label19"_s);
    layout->addWidget(version);
    auto *updated = new QLabel(page);
    updated->setObjectName(u"Label20"_s);
    const QDateTime built = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
    updated->setText(u"最后更新："_s + QLocale::system().toString(built, QLocale::ShortFormat));
    layout->addWidget(updated);

    auto *links = new QGridLayout();
    links->addWidget(linkLabel(page, u"Label21"_s, u"澄川官方网站：点击访问"_s, u"website"_s), 0, 0);
    links->addWidget(linkLabel(page, u"Label22"_s, u"聚源匣官方网站：点击访问"_s, u"program_site"_s), 1, 0);
    links->addWidget(linkLabel(page, u"Label36"_s, u"界面设计：澄川设计工作室"_s, u"design_studio"_s), 2, 0);
    const QStringList notices = {u"澄川小店：支持澄川"_s, u"联系作者：在线咨询"_s, u"感谢您使用Lz系列软件"_s,
                                 u"更多Lz系列软件"_s, u"澄川云点播：在线观看"_s};
    const QStringList noticePages = {u"shop"_s, {}, {}, u"site_page"_s, u"cloud_site"_s};
    for (int i = 0; i < notices.size(); ++i) {
        ClickLabel *notice = linkLabel(page, u"Label37_"_s + QString::number(i), notices.at(i), noticePages.at(i));
        if (i == 2)
            notice->setStyleSheet({});
        links->addWidget(notice, i, 1);
    }
    auto *logo = new ClickLabel(u"Image1"_s, {}, page);
    logo->setPixmap(makerLogo());
    connect(logo, &ClickLabel::clicked, this, [this] { openPage(u"maker_page"_s); });
    links->addWidget(logo, 0, 2);
    layout->addLayout(links);

    m_contactBrowser = new BrowserView(u"WebBrowser2"_s,
                                       BrowserView::Silent | BrowserView::LoadHidden | BrowserView::TakeDownloads,
                                       page);
    m_contactBrowser->setDownloadDirectory(m_services.downloadDir);
    m_contactBrowser->hide();
    m_groupBrowser = new BrowserView(u"WebBrowser3"_s, BrowserView::Silent | BrowserView::LoadHidden, page);
    m_groupBrowser->hide();
    if (ClickLabel *contact = m_window->findChild<ClickLabel *>(u"Label37_1"_s)) {
        connect(contact, &ClickLabel::clicked, this,
                [this] { m_contactBrowser->navigate(m_services.sites.page(u"contact"_s)); });
    }

    auto *buttons = new QHBoxLayout();
    const QList<QPair<QString, QString>> commands = {{u"Command44"_s, u"官方论坛"_s},
                                                     {u"Command5"_s, u"在线留言"_s},
                                                     {u"Command45"_s, u"软件设置"_s},
                                                     {u"Command52"_s, u"常见问题"_s},
                                                     {u"siteStatusButton"_s, u"站点状态"_s}};
    for (const auto &[name, caption] : commands) {
        auto *button = new QPushButton(caption, page);
        button->setObjectName(name);
        buttons->addWidget(button);
        if (name == u"Command44"_s)
            connect(button, &QPushButton::clicked, this, [this] { openPage(u"forum"_s); });
        else if (name == u"Command5"_s)
            connect(button, &QPushButton::clicked, this, [this] { openPage(u"guestbook"_s); });
        else if (name == u"Command45"_s)
            connect(button, &QPushButton::clicked, this, &WindowShell::openSettings);
        else if (name == u"siteStatusButton"_s)
            connect(button, &QPushButton::clicked, this, &WindowShell::openSiteStatus);
        else
            connect(button, &QPushButton::clicked, this, &WindowShell::openFaq);
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    layout->addStretch(1);
}

void WindowShell::openPage(const QString &pageKey)
{
    m_context.openAddress(m_services.sites.page(pageKey));
}

void WindowShell::start()
{
    if (m_started)
        return;
    m_started = true;
    // Theming: the default style stands in for the skin library.
    m_startupSound->setVolume(100);
    m_startupSound->play(m_services.homeDir + u"/lz.mp3"_s);
    m_window->setWindowIcon(QIcon());
    applySettings();
    if (m_liveTv)
        m_liveTv->openStartChannel();

    if (auto *magnetBox = m_window->findChild<QLineEdit *>(u"Text18"_s)) {
        connect(magnetBox, &QLineEdit::textChanged, this, [this] { m_context.report(u"磁力链接已解析!"_s); });
    }

    QList<QWidget *> locked;
    if (auto *netdisk = m_window->findChild<NetdiskReader *>(u"NetdiskReader"_s))
        locked = netdisk->startupLockedControls();
    locked.append(m_window->mainTabs());
    locked.append(m_highlight);
    m_update->lock(locked, m_cover);
    m_update->start();
}

void WindowShell::applySettings()
{
    m_festive->follow(m_window);
    if (m_settings.isOn(u"春节元素"_s)) {
        // Shown once the main window is on screen, so both are placed by the
        // same frame positions.
        QTimer::singleShot(0, m_festive, [this] {
            m_festive->show();
            m_festive->placeBeside();
        });
    }
    if (m_settings.isOn(u"新年音乐"_s)) {
        m_music->setVolume(50);
        m_music->play(m_services.homeDir + u"/xn.mp3"_s);
    }
    m_exit.setKillPlayer(m_settings.isOn(u"关闭快播"_s));
    m_exit.setKillTransfer(m_settings.isOn(u"关闭协议"_s));
    if (m_settings.isOn(u"禁止启动"_s) && m_services.processes) {
        m_services.processes->taskkill(u"QvodPlayer.exe"_s);
        m_services.processes->taskkill(u"QvodTerminal.exe"_s);
    }
    if (m_settings.isOn(SettingsFile::termsKey()))
        m_terms->setChecked(true);
    if (m_settings.isOn(u"屏蔽快播广告"_s))
        m_browserClose->start();
}

bool WindowShell::handleClose()
{
    if (!m_exit.confirm(m_context))
        return false;
    Q_EMIT endProgram(0);
    return true;
}

void WindowShell::openSettings()
{
    auto *window = new SettingsWindow(m_context, m_settings, m_window);
    connect(window, &SettingsWindow::stopMusic, m_music, &MediaPlayer::stop);
    connect(window, &SettingsWindow::restartRequested, this, [this] {
        // The command line as started (Qt's own options included); without
        // one, what Qt left of it.
        const QStringList arguments = m_services.arguments.isEmpty() ? QCoreApplication::arguments().mid(1)
                                                                     : m_services.arguments;
        Q_EMIT restartProgram(QCoreApplication::applicationFilePath(), arguments);
    });
    window->open();
}

void WindowShell::openFaq()
{
    auto *window = new FaqWindow(m_context, m_window);
    window->open();
}

void WindowShell::openSiteStatus()
{
    if (!m_services.siteStatus)
        return;
    auto *window = new SiteStatusWindow(m_services.sites, m_services.sitesFile, *m_services.siteStatus,
                                        [this](const QString &key) { recheckSite(key); }, m_window);
    window->show();
}

QCoro::Task<> WindowShell::recheckSite(QString key)
{
    QPointer<WindowShell> self(this);
    const SiteCheck check = co_await SiteCheck::run(*m_services.fetcher, m_services.sites, key);
    if (!self)
        co_return;
    // The board has the fetch's outcome already; the rows are the check's.
    if (m_services.siteStatus && check.items >= 0)
        m_services.siteStatus->noteItems(key, check.items);
}

void WindowShell::openPortal()
{
    if (m_portal)
        return;
    QList<PortalWindow::Entry> entries;
    for (qsizetype i = 0; i < PortalPages::options().size(); ++i) {
        const QString &option = PortalPages::options().at(i);
        entries.append({option, PortalPages::captions().at(i), PortalPages::address(m_services.sites, option)});
    }
    auto *window = new PortalWindow(entries, PortalPages::startOption(), m_window);
    m_portal = window;
    window->open();
}

void WindowShell::mediaTabChanged(int index)
{
    if (index == PortalTab) {
        // The portal tab is a button: the strip stays on the tab before it.
        m_mediaTabs->setCurrentIndex(m_lastMediaTab);
        openPortal();
        return;
    }
    m_lastMediaTab = index;
}

void WindowShell::moveHighlightTo(int index)
{
    m_highlightIndex = index;
    m_highlight->move(m_imageButtons.at(index)->pos());
    m_highlight->show();
    m_highlight->raise();
}

bool WindowShell::pointerOnImageButton(const QPoint &globalPos) const
{
    for (const ClickLabel *button : m_imageButtons) {
        if (button->rect().contains(button->mapFromGlobal(globalPos)))
            return true;
    }
    return false;
}

bool WindowShell::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Enter: {
        // Compared as QObject pointers: most watched objects are no ClickLabel.
        const auto found = std::find(m_imageButtons.cbegin(), m_imageButtons.cend(), watched);
        const qsizetype button = found == m_imageButtons.cend() ? -1 : found - m_imageButtons.cbegin();
        if (button >= 0)
            moveHighlightTo(int(button));
        else if (watched == m_banner || watched == m_window->mainTabs() || watched == m_window->centralWidget())
            m_highlight->hide();
        break;
    }
    case QEvent::MouseMove:
        if ((watched == m_banner || watched == m_window->centralWidget()) && m_highlight->isVisible()
            && !pointerOnImageButton(static_cast<QMouseEvent *>(event)->globalPosition().toPoint()))
            m_highlight->hide();
        break;
    case QEvent::Resize:
        if (watched == m_window->mainTabs() && m_cover)
            m_cover->setGeometry(m_window->mainTabs()->rect());
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_window->panel(3))
            m_groupBrowser->navigate(m_services.sites.page(u"discussion_group"_s));
        else if (watched == m_window->panel(6))
            openPage(u"website"_s);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

UpdateCheck *WindowShell::updateCheck() const
{
    return m_update;
}

FestiveWindow *WindowShell::festiveWindow() const
{
    return m_festive;
}

MediaPlayer *WindowShell::player(int number) const
{
    return number == 1 ? m_startupSound : m_music;
}

const ExitFlow &WindowShell::exitFlow() const
{
    return m_exit;
}

LiveTvArea *WindowShell::liveTv() const
{
    return m_liveTv;
}

BrowserCloseTimer *WindowShell::browserCloseTimer() const
{
    return m_browserClose;
}

BrowserView *WindowShell::hiddenBrowser(int number) const
{
    return number == 2 ? m_contactBrowser : m_groupBrowser;
}

SettingsFile WindowShell::settings() const
{
    return m_settings;
}

int WindowShell::lastMediaTab() const
{
    return m_lastMediaTab;
}
