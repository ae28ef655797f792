#include "sources/playback/qvodsearchreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/searchlimits.h"
#include "core/siteconfig.h"
#include "sources/playback/qvodsearchdetailparser.h"
#include "sources/playback/qvodsearchparser.h"
#include "sources/playback/termscheck.h"
#include "ui/listdoubleclick.h"
#include "ui/pictureloader.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchrun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

const QString &siteKey()
{
    static const QString key = u"qvod_search"_s;
    return key;
}

constexpr int AddressSubitem = 4;     // dz

} // namespace

QvodSearchReader::QvodSearchReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"QvodSearchReader"_s);
    buildControls(page);

    m_listingTimer = new ReaderTimer(u"Timer13"_s, 100, this);
    m_pagesTimer = new ReaderTimer(u"Timer14"_s, 100, this);
    connect(m_listingTimer, &QTimer::timeout, this, &QvodSearchReader::parseListing);
    connect(m_pagesTimer, &QTimer::timeout, this, [this] { fetchFurtherPage(); });
    // A listing supersedes a running search and the other way round; either
    // ends with "开始搜索" enabled, and a failed fetch keeps the progress text.
    m_run = new SearchRun(m_context, this);
    m_run->setSiteKey(u"qvod_search"_s);
    m_run->setStartButtons({m_search});
    m_run->setList(m_list);
    m_run->addTimers({m_listingTimer, m_pagesTimer});

    connect(m_get, &QPushButton::clicked, this, [this] { listPage(); });
    connect(m_next, &QPushButton::clicked, this, [this] { stepPage(1); });
    connect(m_previous, &QPushButton::clicked, this, [this] { stepPage(-1); });
    connect(m_search, &QPushButton::clicked, this, [this] { search(); });
    ListDoubleClick::attach(m_list, this, [this] { readDetail(); });
}

void QvodSearchReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"请输入搜索关键字："_s, page));
    m_keyword = new QLineEdit(page);
    m_keyword->setObjectName(u"Text15"_s);
    row->addWidget(m_keyword, 1);
    const auto button = [page, row](int index, const QString &caption) {
        auto *b = new QPushButton(caption, page);
        b->setObjectName(u"Command53_"_s + QString::number(index));
        row->addWidget(b);
        return b;
    };
    m_search = button(10, u"开始搜索"_s);
    m_get = button(7, u"获取资源"_s);
    m_next = button(8, u"下一页"_s);
    m_previous = button(9, u"上一页"_s);
    layout->addLayout(row);
    auto *body = new QHBoxLayout();
    m_list = ResultList::create(u"ListView14"_s, page);
    body->addWidget(m_list, 1);
    m_preview = new QLabel(page);
    m_preview->setObjectName(u"Preview"_s);
    m_preview->setFixedSize(160, 220);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameShape(QFrame::StyledPanel);
    body->addWidget(m_preview, 0, Qt::AlignTop);
    layout->addLayout(body, 1);
}

QCoro::Task<> QvodSearchReader::readDetail()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    m_context.report(u"正在解析..请稍等.."_s);
    const LatestRequest::Ticket ticket = m_detailRead.take();
    const QString page = co_await m_context.fetcher().GetBody(m_list->cellText(row, AddressSubitem));
    if (!ticket.isLatest() || page.isEmpty())
        co_return;
    const QvodSearchDetail detail = parseQvodSearchDetail(searchDefinition(), page);
    if (detail.fileAddress.isEmpty()) {
        m_context.report(u"抱歉!该资源已失效,请您获取其他资源.."_s);
        m_context.message(u"抱歉!该资源已失效,请您获取其他资源"_s);
        co_return;
    }
    PlaybackFeeds::of(m_context.window())->setCurrentFileAddress(detail.fileAddress);
    m_context.report(u"种子文件地址已解析.."_s);
    // A path is on the search site; a page never makes us read a local file.
    QString picture = detail.pictureAddress;
    if (picture.startsWith(u'/'))
        picture = m_context.sites().site(siteKey()) + picture;
    if (!PageFetcher::isFetchable(QUrl(picture)))
        co_return;
    const QImage image = co_await LoadPicture(m_context.fetcher(), picture);
    if (!ticket.isLatest())
        co_return;
    if (image.isNull())
        co_return;
    m_preview->setPixmap(QPixmap::fromImage(image).scaled(m_preview->size(), Qt::KeepAspectRatio,
                                                            Qt::SmoothTransformation));
}

QCoro::Task<> QvodSearchReader::listPage()
{
    if (!playbackTermsAccepted(m_context))
        co_return;
    m_run->begin(u"正在获取资源中..."_s);
    m_text.clear();
    m_listingRows = 0;
    const QString base = m_context.sites().site(siteKey());
    const std::optional<QString> body =
        co_await m_run->fetch(qvodListingAddress(listingDefinition(), base, m_page));
    if (!body)
        co_return;
    m_text = *body;
    if (m_text.isEmpty())
        co_return;
    m_listingRows = qint16(m_run->listedRows(countQvodListingRows(listingDefinition(), m_text)));
    if (m_listingRows > 0)
        m_listingTimer->arm();
}

void QvodSearchReader::stepPage(int step)
{
    if (!playbackTermsAccepted(m_context))
        return;
    if (step < 0) {
        if (m_page == 1) {
            m_context.message(u"已经是第一页了!"_s);
            return;
        }
        --m_page;
    } else if (m_page < std::numeric_limits<qint16>::max()) {
        ++m_page;
    }
    listPage();
}

void QvodSearchReader::parseListing()
{
    m_listingTimer->disarm();
    const QString base = m_context.sites().site(siteKey());
    const QList<QvodSearchRow> rows = parseQvodRows(listingDefinition(), m_text, base, m_listingRows);
    m_listingRows = 0;
    // A page without a single row (an error page, junk) is no result.
    if (rows.isEmpty()) {
        m_run->finish(u"没有搜索到相关资源..."_s);
        return;
    }
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(qvodSearchListRow(rows.at(i), i + 1));
    m_run->finish(u"资源获取完毕.."_s);
}

QCoro::Task<> QvodSearchReader::search()
{
    if (!playbackTermsAccepted(m_context))
        co_return;
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入要搜索的关键字 .."_s);
        co_return;
    }
    m_run->begin(u"正在获取资源中..."_s);
    m_text.clear();
    const QString base = m_context.sites().site(siteKey());
    const QString encoded = AddressTemplate::encodeKeyword(keyword, searchDefinition().keyword);
    const std::optional<QString> body = co_await m_run->fetch(qvodSearchAddress(searchDefinition(), base, encoded));
    if (!body)
        co_return;
    m_text = *body;
    if (m_text.isEmpty()) {
        m_run->finish();
        co_return;
    }
    if (isQvodSearchEmpty(searchDefinition(), m_text)) {
        m_run->finish(u"没有搜索到相关资源..."_s);
        co_return;
    }
    m_resultCount = qvodResultCount(searchDefinition(), m_text);
    // The site's stated page count, up to the pages one search may read.
    m_remainingPages = SearchLimits::lastPage(qvodResultPages(searchDefinition(), m_text));
    if (m_remainingPages > 1) {
        m_pagesTimer->arm();
        co_return;
    }
    parseResults();
}

QCoro::Task<> QvodSearchReader::fetchFurtherPage()
{
    // One page per tick; the next tick is armed once this page is in.
    m_pagesTimer->disarm();
    if (m_remainingPages <= 1 || !SearchLimits::roomForPage(m_text.size())) {
        m_list->clear();
        parseResults();
        co_return;
    }
    const QString base = m_context.sites().site(siteKey());
    const QString encoded = AddressTemplate::encodeKeyword(m_keyword->text(), searchDefinition().keyword);
    const QString address = qvodSearchAddress(searchDefinition(), base, encoded, m_remainingPages);
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    // A page that fails adds only the line break: its rows are missing.
    SearchLimits::appendPage(m_text, u"\r\n", *body);
    --m_remainingPages;
    m_pagesTimer->arm();
}

void QvodSearchReader::parseResults()
{
    const QString base = m_context.sites().site(siteKey());
    const QList<QvodSearchRow> rows = parseQvodRows(searchDefinition(), m_text, base, m_resultCount);
    // A page without a single row (an error page, junk) is no result.
    if (rows.isEmpty()) {
        m_run->finish(u"没有搜索到相关资源..."_s);
        return;
    }
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(qvodSearchListRow(rows.at(i), m_resultCount - i));
    m_run->finish(u"资源获取完毕.."_s);
}

const SiteDefinition &QvodSearchReader::searchDefinition() const
{
    return m_context.sites().definitions().get(u"qvod-search"_s);
}

const SiteDefinition &QvodSearchReader::listingDefinition() const
{
    return m_context.sites().definitions().get(u"qvod-list"_s);
}
