#include "sources/playback/playerarea.h"

#include "core/qvodaddresses.h"
#include "core/readertimer.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "sources/playback/playerstates.h"
#include "sources/playback/qtmediabackend.h"
#include "sources/playback/termscheck.h"
#include "ui/dialogs.h"
#include "ui/playbackfeeds.h"

#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int PlaybackTab = 6; // of SSTab1
constexpr int PlayerPage = 2;  // of SSTab3

QString selectedText(const QListWidget *list)
{
    const QListWidgetItem *item = list->currentItem();
    return item && item->isSelected() ? item->text() : QString();
}

void fill(QListWidget *list, const QStringList &entries)
{
    list->clear();
    list->addItems(entries);
}

QListWidget *framedList(const QString &name, const QString &caption, QWidget *page, QBoxLayout *layout)
{
    auto *frame = new QGroupBox(caption, page);
    frame->setObjectName(name + u"Frame"_s);
    auto *frameLayout = new QVBoxLayout(frame);
    auto *list = new QListWidget(frame);
    list->setObjectName(name);
    frameLayout->addWidget(list);
    layout->addWidget(frame, 1);
    return list;
}

} // namespace

PlayerArea::PlayerArea(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"PlayerArea"_s);
    buildControls(page);

    m_poll = new ReaderTimer(u"Timer16"_s, 1000, this);
    connect(m_poll, &QTimer::timeout, this, &PlayerArea::pollState);

    connect(m_typed, &QPushButton::clicked, this, &PlayerArea::playTypedAddress);
    connect(m_pause, &QPushButton::clicked, this, &PlayerArea::togglePause);
    connect(m_stop, &QPushButton::clicked, this, &PlayerArea::stopPlayback);
    connect(m_download, &QPushButton::clicked, this,
            [this] { m_context.openAddress(m_context.sites().page(u"qvod_player_download"_s)); });
    connect(m_copyFile, &QPushButton::clicked, this, [this] {
        m_context.copyText(PlaybackFeeds::of(m_context.window())->currentFileAddress());
        m_context.report(u"文件地址已复制.."_s);
    });
    connect(m_playFile, &QPushButton::clicked, this, &PlayerArea::playCurrentFileAddress);
    for (QListWidget *list : {m_qvodList, m_playerList}) {
        list->viewport()->installEventFilter(this);
    }

    PlaybackFeeds *feeds = PlaybackFeeds::of(m_context.window());
    fill(m_playerList, feeds->playerList());
    fill(m_qvodList, feeds->qvodList());
    connect(feeds, &PlaybackFeeds::playerListChanged, this,
            [this](const QStringList &addresses) { fill(m_playerList, addresses); });
    connect(feeds, &PlaybackFeeds::qvodListChanged, this, [this](const QStringList &addresses) {
        fill(m_qvodList, addresses);
        // An extraction that found nothing leaves the caller's message.
        if (!addresses.isEmpty())
            m_context.report(u"种子提取完毕.."_s);
    });
}

PlayerArea::~PlayerArea() = default;

void PlayerArea::buildControls(QWidget *page)
{
    auto *layout = new QHBoxLayout(page);
    auto *lists = new QVBoxLayout();
    m_qvodList = framedList(u"List2"_s, u"单击列表可复制文件地址 | 双击列表可进行在线播放"_s, page, lists);
    m_playerList = framedList(u"List3"_s, u"文件地址（单击列表可复制文件地址 | 双击可进行在线播放）"_s, page, lists);
    auto *fileButtons = new QHBoxLayout();
    m_copyFile = new QPushButton(u"复制地址"_s, page);
    m_copyFile->setObjectName(u"Command4_0"_s);
    m_playFile = new QPushButton(u"在线播放"_s, page);
    m_playFile->setObjectName(u"Command4_1"_s);
    fileButtons->addWidget(m_copyFile);
    fileButtons->addWidget(m_playFile);
    lists->addLayout(fileButtons);
    auto *listColumn = new QWidget(page);
    listColumn->setLayout(lists);
    // Wide enough for the frames' captions, which say how the lists work.
    int width = 280;
    for (const QGroupBox *frame : listColumn->findChildren<QGroupBox *>())
        width = qMax(width, frame->fontMetrics().horizontalAdvance(frame->title()) + 32);
    listColumn->setFixedWidth(width);
    layout->addWidget(listColumn);

    auto *player = new QVBoxLayout();
    m_screen = new QWidget(page);
    m_screen->setObjectName(u"QvodCtrl1"_s);
    m_screen->setStyleSheet(u"background: black;"_s);
    m_screen->setAttribute(Qt::WA_StyledBackground);
    auto *screenLayout = new QVBoxLayout(m_screen);
    screenLayout->setContentsMargins(0, 0, 0, 0);
    player->addWidget(m_screen, 1);

    auto *controls = new QHBoxLayout();
    m_state = new QLabel(PlayerStates::initialLabel(), page);
    m_state->setObjectName(u"Label32"_s);
    m_state->setTextFormat(Qt::PlainText);
    controls->addWidget(m_state, 1);
    const auto button = [page, controls](int index, const QString &caption) {
        auto *b = new QPushButton(caption, page);
        b->setObjectName(u"Command53_"_s + QString::number(index));
        controls->addWidget(b);
        return b;
    };
    m_typed = button(11, u"输入地址进行播放"_s);
    m_pause = button(12, u"暂停"_s);
    m_stop = button(13, u"停止"_s);
    m_download = button(14, u"下载快播"_s);
    player->addLayout(controls);
    layout->addLayout(player, 1);
}

void PlayerArea::setBackend(std::unique_ptr<MediaBackend> backend)
{
    m_backend = std::move(backend);
}

MediaBackend *PlayerArea::backend()
{
    if (!m_backend)
        m_backend = std::make_unique<QtMediaBackend>(m_screen);
    return m_backend.get();
}

bool PlayerArea::playerRunning()
{
    if (backend()->isAvailable())
        return true;
    m_context.message(u"抱歉,程序检测您未启动快播播放器\r\n请手动启动或在软件设置中进行设置!"_s);
    return false;
}

void PlayerArea::start(const QString &address)
{
    backend()->setAddress(address);
    backend()->play();
    m_poll->arm();
}

void PlayerArea::playChannelAddress(const QString &address)
{
    if (address.isEmpty() || !playerRunning())
        return;
    showPlaybackPage(false);
    start(address);
}

void PlayerArea::playCurrentFileAddress()
{
    if (!playerRunning())
        return;
    showPlaybackPage(false);
    start(PlaybackFeeds::of(m_context.window())->currentFileAddress());
}

void PlayerArea::playListEntry(QListWidget *list)
{
    // A double-click beside the entries has nothing to play.
    const QString address = selectedText(list);
    if (address.isEmpty() || !playerRunning())
        return;
    showPlaybackPage(true);
    start(address);
}

void PlayerArea::playTypedAddress()
{
    if (!playbackTermsAccepted(m_context))
        return;
    bool accepted = false;
    const QString address = m_context.services().dialogs->input(
        m_context.window(), u"自定义文件播放"_s, u"请输入文件播放地址,例如:qvod://开头"_s, QString(), &accepted);
    const QString refusal = !accepted ? u"您已取消!"_s : address.isEmpty() ? u"请输入文件播放地址!"_s : QString();
    if (!refusal.isEmpty()) {
        m_context.report(refusal);
        m_context.message(refusal);
        return;
    }
    if (!playerRunning())
        return;
    start(address);
}

void PlayerArea::togglePause()
{
    if (m_pause->text() == u"播放"_s) {
        m_pause->setText(u"暂停"_s);
        backend()->play();
    } else {
        m_pause->setText(u"播放"_s);
        backend()->pause();
    }
}

void PlayerArea::stopPlayback()
{
    backend()->stop();
    m_poll->disarm();
}

void PlayerArea::pollState()
{
    const QString label = PlayerStates::labelText(backend()->stateCode());
    if (!label.isNull())
        m_state->setText(label);
}

void PlayerArea::showPlaybackPage(bool mainTabToo)
{
    QWidget *window = m_context.window();
    if (!window)
        return;
    if (mainTabToo) {
        if (auto *tabs = window->findChild<QTabWidget *>(u"SSTab1"_s))
            tabs->setCurrentIndex(PlaybackTab);
    }
    if (auto *tabs = window->findChild<QTabWidget *>(u"SSTab3"_s))
        tabs->setCurrentIndex(PlayerPage);
}

void PlayerArea::extractQvodAddresses(const QString &page)
{
    PlaybackFeeds::of(m_context.window())->setQvodList(::extractQvodAddresses(page));
}

bool PlayerArea::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        if (watched == m_qvodList->viewport())
            playListEntry(m_qvodList);
        else if (watched == m_playerList->viewport())
            playListEntry(m_playerList);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (watched == m_qvodList->viewport()) {
            const QString text = selectedText(m_qvodList);
            if (!text.isEmpty()) {
                m_context.copyText(text);
                m_context.report(u"种子地址已复制.."_s);
            }
        } else if (watched == m_playerList->viewport()) {
            m_context.copyText(selectedText(m_playerList));
            m_context.report(u"地址复制成功.."_s);
        }
    }
    return QObject::eventFilter(watched, event);
}
