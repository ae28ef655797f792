#include "sources/movies/movielistingreader.h"

#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/siteconfig.h"
#include "sources/movies/movielistingparser.h"
#include "ui/listdoubleclick.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "ui/searchrun.h"
#include "ui/rowactions.h"

#include <QAction>
#include <QGridLayout>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int DetailSubitem = 2; // zzdz

} // namespace

MovieListingReader::MovieListingReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"MovieListingReader"_s);
    buildControls(page);
    for (int i = 0; i < m_categories.size(); ++i)
        connect(m_categories.at(i), &QPushButton::clicked, this, [this, i] { listCategory(i); });
    ListDoubleClick::attach(m_list, this, [this] { readDownloadAddress(Feed::Replace); });
    connect(m_list->menuAction(u"jxyszz"_s), &QAction::triggered, this,
            [this] { readDownloadAddress(Feed::Append); });
    connect(m_list->menuAction(u"fzysdz22"_s), &QAction::triggered, this, &MovieListingReader::copyDetailAddress);
    m_list->bindRowActions(m_context);
}

void MovieListingReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *buttons = new QGridLayout();
    const QList<MovieCategory> &categories = movieCategories();
    for (int i = 0; i < categories.size(); ++i) {
        auto *button = new QPushButton(categories.at(i).caption, page);
        button->setObjectName(u"Command14_"_s + QString::number(i));
        buttons->addWidget(button, 0, i);
        m_categories.append(button);
    }
    layout->addLayout(buttons);
    m_list = ResultList::create(u"ListView5"_s, page);
    layout->addWidget(m_list, 1);
}

QCoro::Task<> MovieListingReader::listCategory(int index)
{
    const MovieCategory category = movieCategories().at(index);
    const QString base = m_context.sites().site(u"movie_listing"_s);
    const LatestRequest::Ticket ticket = m_listing.take();
    const PageFetcher::Page page = co_await m_context.fetcher().page(
        movieListingAddress(definition(), base, category), PageFetcher::Form::Transfer);
    if (!ticket.isLatest())
        co_return;
    // A failed fetch (an error page too) leaves the rows of the last
    // category in place and says which site failed.
    if (page.outcome.failed()) {
        m_failureShown = SearchRun::failureText(m_context.sites(), page.outcome, u"movie_listing"_s);
        m_context.report(m_failureShown);
        co_return;
    }
    if (page.body.isEmpty())
        co_return;
    // A listing that came takes back an earlier failure it reported.
    if (!m_failureShown.isEmpty() && m_context.statusText() == m_failureShown)
        m_context.report(QString());
    m_failureShown.clear();
    const QString &body = page.body;
    m_list->clear();
    const QList<MovieListingRow> rows = parseMovieListing(definition(), body, base, category);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(movieListingListRow(rows.at(i), i + 1));
}

QCoro::Task<> MovieListingReader::readDownloadAddress(Feed feed)
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString detail = m_list->cellText(row, DetailSubitem);
    m_context.report(u"正在解析..请稍等.."_s);

    const LatestRequest::Ticket ticket = m_downloadRead.take();
    const QString body = co_await m_context.fetcher().transferBody(detail);
    if (!ticket.isLatest() || body.isEmpty())
        co_return;
    const QString address = movieDownloadAddress(definition(), body);
    // A page without the link gives no entry for the player.
    if (address.isEmpty()) {
        m_context.report(u"未能解析出种子地址.."_s);
        co_return;
    }
    m_context.report(u"种子地址已解析.."_s);
    PlaybackFeeds *feeds = PlaybackFeeds::of(m_context.window());
    if (feed == Feed::Replace)
        feeds->replacePlayerList(address);
    else
        feeds->appendToPlayerList(address);
}

void MovieListingReader::copyDetailAddress()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        return;
    m_context.copyText(m_list->cellText(row, DetailSubitem));
    m_context.report(u"链接地址已复制!"_s);
}

const SiteDefinition &MovieListingReader::definition() const
{
    return m_context.sites().definitions().get(u"movie-listing"_s);
}
