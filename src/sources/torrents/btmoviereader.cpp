#include "sources/torrents/btmoviereader.h"

#include "core/pagefetcher.h"
#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "sources/torrents/btmovieparser.h"
#include "ui/listdoubleclick.h"
#include "ui/playbackfeeds.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchrun.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include <limits>

using namespace Qt::StringLiterals;

namespace {

constexpr int NameSubitem = 1;    // mc
constexpr int AddressSubitem = 2; // dz

} // namespace

BtMovieReader::BtMovieReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"BtMovieReader"_s);
    buildControls(page);
    m_run = new SearchRun(m_context, this);
    m_run->setSiteKey(u"emule"_s);
    m_run->setStartButtons({m_fetch, m_next, m_previous});
    m_run->setList(m_list);
    // A failed fetch ends quietly, the progress message left standing.
    m_run->setStallHandler([this] { m_run->finish(); });
    connect(m_fetch, &QPushButton::clicked, this, [this] { fetchPage(); });
    connect(m_next, &QPushButton::clicked, this, &BtMovieReader::nextPage);
    connect(m_previous, &QPushButton::clicked, this, &BtMovieReader::previousPage);
    connect(m_cloud, &QPushButton::clicked, this, &BtMovieReader::cloudPlay);
    ListDoubleClick::attach(m_list, this, [this] { readDownloadPage(); });
    connect(m_address, &QLineEdit::textChanged, this, [this] { m_context.report(u"磁力链接已解析!"_s); });
}

int BtMovieReader::page() const
{
    return m_page;
}

void BtMovieReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    const QList<QPair<int, QString>> captions = {
        {0, u"获取资源"_s}, {1, u"下一页"_s}, {2, u"上一页"_s}, {4, u"在线云点播"_s}};
    QList<QPushButton *> buttons;
    for (const auto &[index, caption] : captions) {
        auto *button = new QPushButton(caption, page);
        button->setObjectName(u"Commandz3_"_s + QString::number(index));
        row->addWidget(button);
        buttons.append(button);
    }
    m_fetch = buttons.at(0);
    m_next = buttons.at(1);
    m_previous = buttons.at(2);
    m_cloud = buttons.at(3);
    row->addStretch(1);
    layout->addLayout(row);

    m_list = ResultList::create(u"ListView16"_s, page);
    layout->addWidget(m_list, 1);

    auto *fields = new QGridLayout();
    fields->addWidget(new QLabel(u"影片名称："_s, page), 0, 0);
    m_name = new QLineEdit(page);
    m_name->setObjectName(u"Text6"_s);
    fields->addWidget(m_name, 0, 1);
    m_date = new QLabel(u"更新日期：NONE"_s, page);
    m_date->setObjectName(u"Label38"_s);
    fields->addWidget(m_date, 0, 2);
    fields->addWidget(new QLabel(u"下载地址："_s, page), 1, 0);
    m_address = new QLineEdit(page);
    m_address->setObjectName(u"Text18"_s);
    fields->addWidget(m_address, 1, 1, 1, 2);
    layout->addLayout(fields);
}

QCoro::Task<> BtMovieReader::fetchPage()
{
    m_run->begin(u"正在获取电影资源.."_s);
    const QString base = m_context.sites().site(u"emule"_s);
    const std::optional<QString> body = co_await m_run->fetch(btMovieListAddress(definition(), base, m_page));
    if (!body)
        co_return;
    if (body->isEmpty()) {
        m_run->finish();
        co_return;
    }
    const QList<BtMovieRow> rows = parseBtMovieList(definition(), *body, base);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(btMovieListRow(rows.at(i), i + 1));
    m_run->finish(u"资源获取完毕.."_s);
}

void BtMovieReader::nextPage()
{
    // The page number is 16-bit; it stops at its top instead of wrapping.
    if (m_page < std::numeric_limits<qint16>::max())
        ++m_page;
    fetchPage();
}

void BtMovieReader::previousPage()
{
    if (m_page <= 1) {
        m_context.message(u"已经是最上一页!"_s);
        return;
    }
    --m_page;
    fetchPage();
}

void BtMovieReader::cloudPlay()
{
    const QString address = m_address->text();
    if (address.isEmpty()) {
        m_context.report(u"请先进行解析!"_s);
        return;
    }
    PlaybackFeeds::of(m_context.window())->requestCloudPlay(address);
}

QCoro::Task<> BtMovieReader::readDownloadPage()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString name = m_list->cellText(row, NameSubitem);
    const QString address = m_list->cellText(row, AddressSubitem);
    m_context.report(u"正在解析..请稍等.."_s);
    const LatestRequest::Ticket ticket = m_read.take();
    const QString body = co_await m_context.fetcher().GetBody(address);
    if (!ticket.isLatest() || body.isEmpty())
        co_return;
    const BtMovieDownload download = parseBtMovieDownload(definition(), body);
    m_date->setText(u"更新日期："_s + download.date);
    m_address->setText(download.address);
    m_name->setText(name);
}

const SiteDefinition &BtMovieReader::definition() const
{
    return m_context.sites().definitions().get(u"bt-movies"_s);
}
