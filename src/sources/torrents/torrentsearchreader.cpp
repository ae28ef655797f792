#include "sources/torrents/torrentsearchreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/siteconfig.h"
#include "sources/torrents/sourcebuttongroup.h"
#include "sources/torrents/torrentsearchparser.h"
#include "ui/resultlist.h"
#include "ui/searchpanel.h"
#include "ui/searchrun.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

const QString &siteKey()
{
    static const QString key = u"torrent_search"_s;
    return key;
}

} // namespace

TorrentSearchReader::TorrentSearchReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"TorrentSearchReader"_s);
    m_sources = SourceButtonGroup::of(m_context.window());
    buildControls(page);

    m_parseTimer = new ReaderTimer(u"Timer3"_s, 100, this);
    m_notFoundTimer = new ReaderTimer(u"Timer4"_s, 1000, this);
    connect(m_parseTimer, &QTimer::timeout, this, &TorrentSearchReader::parseTick);
    connect(m_notFoundTimer, &QTimer::timeout, this, &TorrentSearchReader::notFoundTick);
    m_run = new SearchRun(m_context,
                          {.buttons = {m_start},
                           .list = m_list,
                           .timers = {m_parseTimer, m_notFoundTimer},
                           .notFoundText = u"未找到相关资源.."_s},
                          this);
    m_run->setSiteKey(u"torrent_search"_s);

    connect(m_keyword, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_encodedKeyword = AddressTemplate::encodeKeyword(text, definition().keyword); });
    connect(m_sources, &SourceButtonGroup::pressed, this, [this](int index) {
        if (index == 0)
            search();
    });
    m_list->bindRowActions(m_context);
}

void TorrentSearchReader::buildControls(QWidget *page)
{
    const SearchPanel panel = buildSearchPanel(
        page, {.keywordBox = u"Text2"_s, .pageBox = u"Text4"_s, .spinner = u"HScroll2"_s, .list = u"ListView2"_s});
    m_keyword = panel.keyword;
    m_pageBox = panel.pageBox;
    m_list = panel.list;
    m_start = m_sources->addMember(0, u"开始搜索"_s, page);
    panel.row->addWidget(m_start);
}

QCoro::Task<> TorrentSearchReader::search()
{
    // Spaces alone are a keyword.
    if (m_keyword->text().isEmpty()) {
        m_context.report(u"请输入您要搜索的关键字.."_s);
        co_return;
    }
    m_run->begin(u"正在进行搜索..."_s);
    m_magnetCount = 0;

    const QString address =
        torrentSearchAddress(definition(), m_context.sites().site(siteKey()), m_encodedKeyword, m_pageBox->text());
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    // A failed fetch (empty body) counts nothing and ends like a page
    // without links.
    m_body = *body;
    countStep();
}

void TorrentSearchReader::countStep()
{
    // Capped like every reader's 16-bit counter: a page of bare markers must
    // not become a million rows.
    m_magnetCount = m_run->listedRows(m_magnetCount + countTorrentSearchItems(definition(), m_body));
    if (m_magnetCount > 0)
        m_parseTimer->arm();
    m_notFoundTimer->arm();
}

void TorrentSearchReader::parseTick()
{
    const QList<ListRow> rows =
        parseTorrentSearchPage(definition(), m_body, m_context.sites().site(siteKey()), m_magnetCount);
    m_magnetCount = 0;
    for (const ListRow &row : rows)
        m_list->addRow(row);
    m_parseTimer->disarm();
    m_run->finish(u"搜索完毕.."_s);
}

void TorrentSearchReader::notFoundTick()
{
    // With rows it stays armed and looks again a second later.
    if (m_list->rowCount() > 0)
        return;
    m_notFoundTimer->disarm();
    m_run->finish(u"未找到相关资源.."_s);
}

const SiteDefinition &TorrentSearchReader::definition() const
{
    return m_context.sites().definitions().get(u"torrent"_s);
}
