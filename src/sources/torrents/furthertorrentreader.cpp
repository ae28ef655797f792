#include "sources/torrents/furthertorrentreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/siteconfig.h"
#include "sources/torrents/magnetsitesparser.h"
#include "ui/orderedfetch.h"
#include "ui/resultlist.h"
#include "ui/searchrun.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int MagnetChannel = 0;
constexpr int ReleaseChannel = 1;
constexpr int ComingSoonEntry = 2;

const QString &noResultText()
{
    static const QString text = u"抱歉!没有找到任何结果,请更换关键字重试"_s;
    return text;
}

} // namespace

FurtherTorrentReader::FurtherTorrentReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"FurtherTorrentReader"_s);
    buildControls(page);

    m_magnetTimer = new ReaderTimer(u"Timer24"_s, 3000, this);
    m_releaseTimer = new ReaderTimer(u"Timer26"_s, 100, this);
    connect(m_magnetTimer, &QTimer::timeout, this, &FurtherTorrentReader::parseMagnetSearch);
    connect(m_releaseTimer, &QTimer::timeout, this, [this] { parseResourceRelease(); });
    // No start guard here: a new start supersedes whatever an older one
    // still has to parse or fetch. A failed fetch ends like no result.
    m_run = new SearchRun(m_context,
                          {.list = m_list, .timers = {m_magnetTimer, m_releaseTimer}, .notFoundText = noResultText()},
                          this);

    connect(m_channel, &QComboBox::currentIndexChanged, this, [this](int index) {
        // "即将添加更多渠道" is no channel yet.
        if (index == ComingSoonEntry)
            m_channel->setCurrentIndex(MagnetChannel);
    });
    connect(m_start, &QPushButton::clicked, this, [this] { search(); });
    connect(m_next, &QPushButton::clicked, this, &FurtherTorrentReader::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &FurtherTorrentReader::previousPage);
    // ydydbf (cloud on demand) is wired by its own reader.
    m_list->bindRowActions(m_context);
}

void FurtherTorrentReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"关键字："_s, page));
    m_keyword = new QLineEdit(page);
    m_keyword->setObjectName(u"Text21"_s);
    row->addWidget(m_keyword, 1);
    m_channel = new QComboBox(page);
    m_channel->setObjectName(u"Combo1"_s);
    m_channel->addItems({u"搜索渠道①"_s, u"搜索渠道②"_s, u"即将添加更多渠道"_s});
    m_channel->setCurrentIndex(MagnetChannel);
    row->addWidget(m_channel);
    m_start = new QPushButton(u"开始搜索"_s, page);
    m_start->setObjectName(u"Command6"_s);
    row->addWidget(m_start);
    m_next = new QPushButton(u"下一页"_s, page);
    m_next->setObjectName(u"Command7_0"_s);
    m_next->setEnabled(false);
    row->addWidget(m_next);
    m_previous = new QPushButton(u"上一页"_s, page);
    m_previous->setObjectName(u"Command7_1"_s);
    m_previous->setEnabled(false);
    row->addWidget(m_previous);
    layout->addLayout(row);

    m_list = ResultList::create(u"ListView19"_s, page);
    layout->addWidget(m_list, 1);
}

void FurtherTorrentReader::nextPage()
{
    if (m_page < std::numeric_limits<qint16>::max())
        ++m_page;
    search();
}

void FurtherTorrentReader::previousPage()
{
    if (m_page == 1) {
        m_context.message(u"已经是最上一页!"_s);
        return;
    }
    --m_page;
    search();
}

QCoro::Task<> FurtherTorrentReader::search()
{
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入关键字.."_s);
        co_return;
    }
    m_run->begin(u"正在搜索资源,请稍等.."_s);
    m_body.clear();
    m_itemCount = 0;

    const int channel = m_channel->currentIndex();
    QString address;
    if (channel == MagnetChannel) {
        m_run->setSiteKey(u"magnet_search"_s);
        const SiteDefinition &magnet = magnetDefinition();
        address = magnetSearchAddress(magnet, m_context.sites().site(u"magnet_search"_s),
                                      AddressTemplate::encodeKeyword(keyword, magnet.keyword), m_page);
    } else if (channel == ReleaseChannel) {
        m_run->setSiteKey(u"resource_release"_s);
        const SiteDefinition &release = releaseDefinition();
        address = resourceReleaseAddress(release, m_context.sites().site(u"resource_release"_s),
                                         AddressTemplate::encodeKeyword(keyword, release.keyword), m_page);
    } else {
        co_return;
    }

    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    m_body = *body;
    if (m_body.isEmpty())
        co_return;

    const bool empty = channel == MagnetChannel ? isMagnetSearchEmpty(magnetDefinition(), m_body)
                                                : isResourceReleaseEmpty(releaseDefinition(), m_body);
    if (empty) {
        m_run->finish(noResultText());
        m_context.message(noResultText());
        co_return;
    }
    if (channel == MagnetChannel)
        countStep(countMagnetSearchItems(magnetDefinition(), m_body), m_magnetTimer);
    else
        countStep(countResourceReleaseItems(releaseDefinition(), m_body), m_releaseTimer);
}

void FurtherTorrentReader::countStep(qsizetype count, ReaderTimer *timer)
{
    m_itemCount = qint16(m_run->listedRows(count));
    if (m_itemCount > 0)
        timer->arm();
}

void FurtherTorrentReader::parseMagnetSearch()
{
    m_magnetTimer->disarm();
    const QList<MagnetSearchRow> rows = parseMagnetSearchPage(magnetDefinition(), m_body, m_itemCount);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(magnetSearchListRow(rows.at(i), i + 1));
    finishParse();
}

void FurtherTorrentReader::parseResourceRelease()
{
    // One run per count step, however long its detail fetches take.
    m_releaseTimer->disarm();
    const QString base = m_context.sites().site(u"resource_release"_s);
    const SiteDefinition &release = releaseDefinition();
    const QList<ReleaseItem> items = parseResourceReleasePage(release, m_body, m_itemCount);
    QStringList details;
    for (const ReleaseItem &item : items) {
        details.append(item.detailPath.isEmpty() ? QString()
                                                 : resourceReleaseDetailAddress(release, base, item.detailPath));
    }

    // The detail pages come several at a time; the rows still go in page order.
    OrderedFetch::start(
        m_run, m_run->current(), details, m_context.sites().network().parallel,
        [this, items](qsizetype i, const QString &detail) {
            const ReleaseItem &item = items.at(i);
            const QString magnet =
                item.detailPath.isEmpty() ? QString() : resourceReleaseMagnet(releaseDefinition(), detail);
            m_list->addRow(resourceReleaseListRow(item, magnet, i + 1));
        },
        [this] { finishParse(); });
}

void FurtherTorrentReader::finishParse()
{
    m_run->finish(u"资源搜索完毕.."_s);
    m_next->setEnabled(true);
    m_previous->setEnabled(true);
}

const SiteDefinition &FurtherTorrentReader::magnetDefinition() const
{
    return m_context.sites().definitions().get(u"magnet"_s);
}

const SiteDefinition &FurtherTorrentReader::releaseDefinition() const
{
    return m_context.sites().definitions().get(u"release"_s);
}
