#include "sources/playback/qvodchannelreader.h"

#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/siteconfig.h"
#include "sources/playback/playerarea.h"
#include "sources/playback/qvodchannelparser.h"
#include "sources/playback/termscheck.h"
#include "ui/pictureloader.h"
#include "ui/resultlist.h"
#include "ui/searchrun.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString &frameCaption()
{
    static const QString caption = u"双击列表可解析种子地址"_s;
    return caption;
}

const QString &siteKey()
{
    static const QString key = u"qvod_channel"_s;
    return key;
}

} // namespace

QvodChannelReader::QvodChannelReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"QvodChannelReader"_s);
    buildControls(page);

    m_timer = new ReaderTimer(u"Timer7"_s, 100, this);
    connect(m_timer, &QTimer::timeout, this, &QvodChannelReader::parsePage);
    // No start button is held: a new listing supersedes an older one.
    m_run = new SearchRun(m_context, this);
    m_run->setSiteKey(u"qvod_channel"_s);
    m_run->setList(m_list);
    m_run->addTimers({m_timer});

    connect(m_get, &QPushButton::clicked, this, [this] { listPage(); });
    connect(m_next, &QPushButton::clicked, this, &QvodChannelReader::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &QvodChannelReader::previousPage);
    connect(m_play, &QPushButton::clicked, this, &QvodChannelReader::playQvodBox);
    m_list->viewport()->installEventFilter(this);
}

void QvodChannelReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *buttons = new QHBoxLayout();
    const auto button = [page, buttons](int index, const QString &caption) {
        auto *b = new QPushButton(caption, page);
        b->setObjectName(u"Command53_"_s + QString::number(index));
        buttons->addWidget(b);
        return b;
    };
    m_get = button(3, u"获取资源"_s);
    m_next = button(4, u"下一页"_s);
    m_previous = button(5, u"上一页"_s);
    buttons->addStretch(1);
    layout->addLayout(buttons);

    auto *body = new QHBoxLayout();
    m_list = ResultList::create(u"ListView3"_s, page);
    body->addWidget(m_list, 1);
    m_poster = new QLabel(page);
    m_poster->setObjectName(u"Poster"_s);
    m_poster->setFixedSize(160, 220);
    m_poster->setAlignment(Qt::AlignCenter);
    m_poster->setFrameShape(QFrame::StyledPanel);
    body->addWidget(m_poster);
    layout->addLayout(body, 1);

    m_addressFrame = new QGroupBox(frameCaption(), page);
    m_addressFrame->setObjectName(u"AddressFrame"_s);
    auto *grid = new QGridLayout(m_addressFrame);
    const auto box = [this, grid](int row, const QString &name, const QString &label) {
        grid->addWidget(new QLabel(label, m_addressFrame), row, 0);
        auto *edit = new QLineEdit(m_addressFrame);
        edit->setObjectName(name);
        grid->addWidget(edit, row, 1);
        return edit;
    };
    m_xunbo = box(0, u"Text7"_s, u"迅雷资源："_s);
    m_qq = box(1, u"Text9"_s, u"QQ影音资源："_s);
    m_baidu = box(2, u"Text10"_s, u"百度影音资源："_s);
    m_kuaibo = box(3, u"Text11"_s, u"快播QVOD资源："_s);
    m_play = new QPushButton(u"在线播放"_s, m_addressFrame);
    m_play->setObjectName(u"Command48"_s);
    grid->addWidget(m_play, 3, 2);
    layout->addWidget(m_addressFrame);
}

QCoro::Task<> QvodChannelReader::listPage()
{
    if (!playbackTermsAccepted(m_context))
        co_return;
    m_run->begin(u"正在获取资源中..."_s);
    const QString base = m_context.sites().site(siteKey());
    const std::optional<QString> body = co_await m_run->fetch(channelListAddress(definition(), base, m_page),
                                                              SearchRun::Form::Transfer);
    // An empty page ends the listing with the progress message standing.
    if (!body || body->isEmpty())
        co_return;
    m_pageText = *body;
    m_entryCount = 25;
    m_timer->arm();
}

void QvodChannelReader::nextPage()
{
    if (!playbackTermsAccepted(m_context))
        return;
    if (m_page < std::numeric_limits<qint16>::max())
        ++m_page;
    listPage();
}

void QvodChannelReader::previousPage()
{
    if (!playbackTermsAccepted(m_context))
        return;
    if (m_page == 1) {
        m_context.message(u"已经是第一页了!"_s);
        return;
    }
    --m_page;
    listPage();
}

void QvodChannelReader::parsePage()
{
    m_timer->disarm();
    const QString base = m_context.sites().site(siteKey());
    const QList<ChannelEntry> entries = parseChannelPage(definition(), m_pageText, base, m_entryCount);
    for (qsizetype i = 0; i < entries.size(); ++i)
        m_list->addRow(channelListRow(entries.at(i), i + 1));
    m_run->finish(u"资源获取完毕.."_s);
}

QCoro::Task<> QvodChannelReader::readDetail()
{
    const QTreeWidgetItem *row = m_list->actionRow();
    if (!row) {
        m_context.report(u"请先查询再进行操作!"_s);
        co_return;
    }
    const LatestRequest::Ticket read = m_detailRead.take();
    const QString address = m_list->cellText(row, 2);
    m_context.report(u"正在解析..请稍等.."_s);
    m_addressFrame->setTitle(frameCaption() + u"（正在解析..请稍等..）"_s);

    const QString detailPage = co_await m_context.fetcher().transferBody(address);
    if (!read.isLatest() || detailPage.isEmpty())
        co_return;

    const ChannelDetail detail = parseChannelDetail(definition(), detailPage);
    if (!detail.posterPath.isEmpty())
        loadPoster(m_context.sites().site(siteKey()) + detail.posterPath, read);
    m_xunbo->setText(detail.xunbo);
    m_baidu->setText(detail.baidu);
    m_qq->setText(detail.qq);
    m_kuaibo->setText(detail.kuaibo);
    m_context.report(u"种子地址已解析.."_s);
    m_addressFrame->setTitle(frameCaption());
}

QCoro::Task<> QvodChannelReader::loadPoster(QString address, LatestRequest::Ticket read)
{
    const QImage image = co_await LoadPicture(m_context.fetcher(), address);
    // A poster that cannot be loaded leaves the one shown.
    if (!read.isLatest() || image.isNull())
        co_return;
    m_poster->setPixmap(QPixmap::fromImage(image).scaled(m_poster->size(), Qt::KeepAspectRatio,
                                                          Qt::SmoothTransformation));
}

void QvodChannelReader::playQvodBox()
{
    QWidget *window = m_context.window();
    auto *player = window ? window->findChild<PlayerArea *>(u"PlayerArea"_s) : nullptr;
    if (player)
        player->playChannelAddress(m_kuaibo->text());
}

bool QvodChannelReader::eventFilter(QObject *watched, QEvent *event)
{
    // On the viewport, so a double-click on an empty list is answered too.
    // The type first: the viewport's last events come while the list is
    // half destroyed, when m_list->viewport() may no longer be called.
    if (event->type() == QEvent::MouseButtonDblClick && watched == m_list->viewport())
        readDetail();
    return QObject::eventFilter(watched, event);
}

const SiteDefinition &QvodChannelReader::definition() const
{
    return m_context.sites().definitions().get(u"qvod-channel"_s);
}
