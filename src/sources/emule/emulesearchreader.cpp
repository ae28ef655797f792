#include "sources/emule/emulesearchreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/readertimer.h"
#include "core/siteconfig.h"
#include "sources/emule/ed2klinkextractor.h"
#include "sources/emule/emuleparser.h"
#include "ui/resultlist.h"
#include "ui/searchpanel.h"
#include "ui/searchrun.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

const QString &siteKey()
{
    static const QString key = u"emule"_s;
    return key;
}

} // namespace

EmuleSearchReader::EmuleSearchReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"EmuleSearchReader"_s);
    buildControls(page);

    m_parseTimer = new ReaderTimer(u"Timer15"_s, 100, this);
    connect(m_parseTimer, &QTimer::timeout, this, &EmuleSearchReader::parseTick);
    m_run = new SearchRun(m_context, {.buttons = {m_start}, .list = m_list, .timers = {m_parseTimer}}, this);
    m_run->setSiteKey(u"emule"_s);
    m_run->setStallHandler([this] { reportNotFound(); });

    connect(m_start, &QPushButton::clicked, this, [this] { search(); });
    m_list->bindRowActions(m_context);
    new Ed2kLinkExtractor(m_context, m_list, u"tqdv"_s, this);
}

const QString &EmuleSearchReader::notFoundMessage()
{
    static const QString text = u"没有找到相关电驴资源!"_s;
    return text;
}

void EmuleSearchReader::buildControls(QWidget *page)
{
    const SearchPanel panel = buildSearchPanel(page,
                                               {.keywordBox = u"Text16"_s,
                                                .pageBox = u"Text17"_s,
                                                .spinner = u"HScroll4"_s,
                                                .startButton = u"Command38_3"_s,
                                                .startCaption = u"获取资源"_s,
                                                .list = u"ListView15"_s});
    m_keyword = panel.keyword;
    m_pageBox = panel.pageBox;
    m_start = panel.start;
    m_list = panel.list;
}

QCoro::Task<> EmuleSearchReader::search()
{
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入资源关键字 .."_s);
        co_return;
    }
    m_run->begin(u"正在搜索资源.."_s);
    m_itemCount = 0;
    m_body.clear();

    const SiteDefinition &emule = definition();
    const QString address = emuleSearchAddress(emule, m_context.sites().site(siteKey()),
                                               AddressTemplate::encodeKeyword(keyword, emule.keyword), m_pageBox->text());
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    m_body = *body;
    // A failed fetch ends like a page that found nothing.
    if (m_body.isEmpty() || isEmuleSearchEmpty(definition(), m_body)) {
        reportNotFound();
        co_return;
    }
    countStep();
}

void EmuleSearchReader::countStep()
{
    m_itemCount = m_run->listedRows(countEmuleItems(definition(), m_body));
    if (m_itemCount > 0)
        m_parseTimer->arm();
    else
        reportNotFound(); // neither items nor the not-found text
}

void EmuleSearchReader::parseTick()
{
    const QList<EmuleItem> items = parseEmuleListing(definition(), m_body, m_context.sites().site(siteKey()), m_itemCount);
    m_itemCount = 0;
    for (qsizetype i = 0; i < items.size(); ++i)
        m_list->addRow(emuleListRow(items.at(i), i + 1));
    m_parseTimer->disarm();
    m_run->finish(u"获取完毕.."_s);
}

void EmuleSearchReader::reportNotFound()
{
    m_run->finish(notFoundMessage());
    m_context.message(notFoundMessage());
}

const SiteDefinition &EmuleSearchReader::definition() const
{
    return m_context.sites().definitions().get(u"emule-search"_s);
}
