#include "sources/torrents/movieresourcereader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/qvodaddresses.h"
#include "core/siteconfig.h"
#include "sources/torrents/movieresourceparser.h"
#include "sources/torrents/sourcebuttongroup.h"
#include "ui/listdoubleclick.h"
#include "ui/pagecontrols.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchrun.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

const QString &MovieResourceReader::placeholder()
{
    static const QString text = u"请您输入关键字.."_s;
    return text;
}

MovieResourceReader::MovieResourceReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"MovieResourceReader"_s);
    SourceButtonGroup *sources = SourceButtonGroup::of(m_context.window());
    buildControls(page, sources);
    m_run = new SearchRun(m_context, {.buttons = {m_start}, .list = m_list}, this);
    m_run->setSiteKey(u"movie_resource"_s);
    m_run->setStallHandler([this] { reportNotFound(); });
    m_keyword->installEventFilter(this);
    connect(sources, &SourceButtonGroup::pressed, this, [this](int index) {
        if (index == 2)
            search();
    });
    ListDoubleClick::attach(m_list, this, [this] { readQvodAddresses(); });
}

void MovieResourceReader::buildControls(QWidget *page, SourceButtonGroup *sources)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"关键字："_s, page));
    m_keyword = new QLineEdit(placeholder(), page);
    m_keyword->setObjectName(u"Text13"_s);
    row->addWidget(m_keyword, 1);
    m_pageBox = addPageBox(row, page, u"Text14"_s, u"HScroll3"_s);
    m_start = sources->addMember(2, u"获取资源"_s, page);
    row->addWidget(m_start);
    layout->addLayout(row);

    m_list = ResultList::create(u"ListView13"_s, page);
    layout->addWidget(m_list, 1);
}

bool MovieResourceReader::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_keyword) {
        if (event->type() == QEvent::FocusIn && m_keyword->text() == placeholder())
            m_keyword->clear();
        else if (event->type() == QEvent::FocusOut && m_keyword->text().isEmpty())
            m_keyword->setText(placeholder());
    }
    return QObject::eventFilter(watched, event);
}

QCoro::Task<> MovieResourceReader::search()
{
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty() || keyword == placeholder()) {
        m_context.report(u"请输入关键字..."_s);
        co_return;
    }
    m_run->begin(u"正在搜索资源，请稍等.."_s);

    const SiteDefinition &definition = m_context.sites().definitions().get(u"movie-resource"_s);
    const QString base = m_context.sites().site(u"movie_resource"_s);
    const QString address = movieResourceAddress(definition, base,
                                                 AddressTemplate::encodeKeyword(keyword, definition.keyword),
                                                 m_pageBox->text());
    const std::optional<QString> fetched = co_await m_run->fetch(address);
    if (!fetched)
        co_return;
    const QString &body = *fetched;
    // A failed fetch, and a page without the site's result markup (an error
    // page, a broken answer), end like a page without matches: never with
    // the completion text over an empty list.
    if (body.isEmpty() || isMovieResourceEmpty(definition, body) || !statesMovieResourceTotal(definition, body)) {
        reportNotFound();
        co_return;
    }
    const QList<MovieResourceRow> rows = parseMovieResourcePage(definition, body, base);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(movieResourceListRow(rows.at(i), i + 1));
    m_run->finish(u"搜索完毕.."_s);
}

void MovieResourceReader::reportNotFound()
{
    m_run->finish(u"没有找到相关影片资源.."_s);
    m_context.message(u"没有找到相关影片资源"_s);
}

QCoro::Task<> MovieResourceReader::readQvodAddresses()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString detail = m_list->cellText(row, 4); // zzdz
    m_context.report(u"正在提取种子.."_s);
    PlaybackFeeds::of(m_context.window())->setQvodList({});
    const LatestRequest::Ticket ticket = m_qvodRead.take();
    const QString body = co_await m_context.fetcher().GetBody(detail);
    if (!ticket.isLatest() || body.isEmpty())
        co_return;
    // A page without any address leaves the progress message standing.
    if (!body.contains(u"qvod://"_s))
        co_return;
    PlaybackFeeds::of(m_context.window())->setQvodList(extractQvodAddresses(body));
    m_context.report(u"种子提取完毕.."_s);
}
