#include "sources/torrents/torrentsearchreader.h"

#include "core/pagecontrols.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/resultlist.h"
#include "core/siteconfig.h"
#include "core/texttools.h"
#include "sources/torrents/sourcebuttongroup.h"
#include "sources/torrents/torrentsearchparser.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

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
    m_sources = new SourceButtonGroup(this);
    buildControls(page);

    m_parseTimer = new ReaderTimer(u"Timer3"_s, 100, this);
    m_notFoundTimer = new ReaderTimer(u"Timer4"_s, 1000, this);
    connect(m_parseTimer, &QTimer::timeout, this, &TorrentSearchReader::parseTick);
    connect(m_notFoundTimer, &QTimer::timeout, this, &TorrentSearchReader::notFoundTick);

    connect(m_keyword, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_encodedKeyword = UTF8_URLEncoding(text); });
    connect(m_sources, &SourceButtonGroup::pressed, this, [this](int index) {
        if (index == 0)
            search();
    });
    m_list->bindRowActions(m_context);
}

void TorrentSearchReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"关键字："_s, page));
    m_keyword = new QLineEdit(page);
    m_keyword->setObjectName(u"Text2"_s);
    row->addWidget(m_keyword, 1);
    m_pageBox = addPageBox(row, page, u"Text4"_s, u"HScroll2"_s);
    m_start = m_sources->addMember(0, u"开始搜索"_s, page);
    row->addWidget(m_start);
    layout->addLayout(row);

    m_list = ResultList::create(u"ListView2"_s, page);
    layout->addWidget(m_list, 1);
}

ResultList *TorrentSearchReader::list() const
{
    return m_list;
}

SourceButtonGroup *TorrentSearchReader::sourceButtons() const
{
    return m_sources;
}

QCoro::Task<> TorrentSearchReader::search()
{
    // Spaces alone are a keyword.
    if (m_keyword->text().isEmpty()) {
        m_context.report(u"请输入您要搜索的关键字.."_s);
        co_return;
    }
    const quint64 search = ++m_search;
    m_parseTimer->disarm();
    m_notFoundTimer->disarm();
    m_magnetCount = 0;
    m_list->clear();
    m_context.report(u"正在进行搜索..."_s);
    m_start->setEnabled(false);

    const QString address = torrentSearchAddress(m_context.sites().site(siteKey()), m_encodedKeyword, m_pageBox->text());
    QPointer<TorrentSearchReader> self(this);
    const QString body = co_await m_context.fetcher().GetBody(address);
    if (!self || self->m_search != search)
        co_return;
    m_body = body;
    if (m_body.isEmpty()) {
        // A failed fetch ends like a page without links.
        m_notFoundTimer->arm();
        co_return;
    }
    countStep();
}

void TorrentSearchReader::countStep()
{
    m_magnetCount += countTorrentSearchItems(m_body);
    if (m_magnetCount > 0)
        m_parseTimer->arm();
    m_notFoundTimer->arm();
}

void TorrentSearchReader::parseTick()
{
    const QList<TorrentSearchRow> rows =
        parseTorrentSearchPage(m_body, m_context.sites().site(siteKey()), m_magnetCount);
    m_magnetCount = 0;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const TorrentSearchRow &row = rows.at(i);
        m_list->addRow(QString::number(i + 1), {{u"mc"_s, row.name},
                                                {u"dx"_s, row.size},
                                                {u"xzdz"_s, row.informationAddress},
                                                {u"fhdz"_s, row.magnetLink},
                                                {u"rq"_s, row.date}});
    }
    m_parseTimer->disarm();
    m_start->setEnabled(true);
    m_context.report(u"搜索完毕.."_s);
}

void TorrentSearchReader::notFoundTick()
{
    // With rows it stays armed and looks again a second later.
    if (m_list->rowCount() > 0)
        return;
    m_context.report(u"未找到相关资源.."_s);
    m_start->setEnabled(true);
    m_notFoundTimer->disarm();
}
