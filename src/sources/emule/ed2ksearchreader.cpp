#include "sources/emule/ed2ksearchreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/readertimer.h"
#include "core/siteconfig.h"
#include "sources/emule/ed2ksearchparser.h"
#include "ui/listdoubleclick.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchpanel.h"
#include "ui/searchrun.h"

#include <QLineEdit>
#include <QPushButton>

using namespace Qt::StringLiterals;

namespace {

const QString &siteKey()
{
    static const QString key = u"ed2k_search"_s;
    return key;
}

constexpr int AddressSubitem = 3; // dz

const QString &notFoundText()
{
    static const QString text = u"没有找到相关资源.."_s;
    return text;
}

} // namespace

Ed2kSearchReader::Ed2kSearchReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"Ed2kSearchReader"_s);
    buildControls(page);

    m_parseTimer = new ReaderTimer(u"Timer20"_s, 100, this);
    m_notFoundTimer = new ReaderTimer(u"Timer21"_s, 1000, this);
    connect(m_parseTimer, &QTimer::timeout, this, &Ed2kSearchReader::parseTick);
    connect(m_notFoundTimer, &QTimer::timeout, this, &Ed2kSearchReader::notFoundTick);
    m_run = new SearchRun(m_context,
                          {.buttons = {m_start},
                           .list = m_list,
                           .timers = {m_parseTimer, m_notFoundTimer},
                           .notFoundText = notFoundText()},
                          this);
    m_run->setSiteKey(u"ed2k_search"_s);

    connect(m_start, &QPushButton::clicked, this, [this] { search(); });
    // A file's page opens in the browser.
    ListDoubleClick::attach(m_list, this, [this] { openCellAction(*m_list, AddressSubitem, m_context); });
}

void Ed2kSearchReader::buildControls(QWidget *page)
{
    const SearchPanel panel = buildSearchPanel(page,
                                               {.keywordBox = u"Text19"_s,
                                                .pageBox = u"Text20"_s,
                                                .spinner = u"HScroll5"_s,
                                                .startButton = u"Command38_4"_s,
                                                .startCaption = u"获取资源"_s,
                                                .list = u"ListView17"_s});
    m_keyword = panel.keyword;
    m_pageBox = panel.pageBox;
    m_start = panel.start;
    m_list = panel.list;
}

QCoro::Task<> Ed2kSearchReader::search()
{
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入资源关键字 .."_s);
        co_return;
    }
    m_run->begin(u"正在获取资源.."_s);

    const SiteDefinition &ed2k = definition();
    const QString address = ed2kSearchAddress(ed2k, m_context.sites().site(siteKey()),
                                              AddressTemplate::encodeKeyword(keyword, ed2k.keyword), m_pageBox->text());
    const std::optional<QString> body = co_await m_run->fetch(address);
    if (!body)
        co_return;
    // A failed fetch ends at once, as a page without rows would.
    if (body->isEmpty()) {
        m_run->finish(notFoundText());
        co_return;
    }
    m_body = *body;
    m_rowCount = 0;
    countStep();
}

void Ed2kSearchReader::countStep()
{
    m_rowCount = m_run->listedRows(countEd2kSearchRows(definition(), m_body));
    if (m_rowCount > 0)
        m_parseTimer->arm();
    m_notFoundTimer->arm();
}

void Ed2kSearchReader::parseTick()
{
    const QList<Ed2kSearchRow> rows = parseEd2kSearchPage(definition(), m_body, m_context.sites().site(siteKey()), m_rowCount);
    m_rowCount = 0;
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(ed2kSearchListRow(rows.at(i), i + 1));
    m_parseTimer->disarm();
    m_run->finish(u"资源获取完毕.."_s);
}

void Ed2kSearchReader::notFoundTick()
{
    // With rows it stays armed and looks again a second later.
    if (m_list->rowCount() > 0)
        return;
    m_notFoundTimer->disarm();
    m_run->finish(notFoundText());
}

const SiteDefinition &Ed2kSearchReader::definition() const
{
    return m_context.sites().definitions().get(u"ed2k"_s);
}
