#include "sources/netdisk/netdiskreader.h"

#include "core/addresstemplate.h"
#include "core/definitioncatalog.h"
#include "core/pagefetcher.h"
#include "core/readertimer.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "sources/netdisk/netdiskparser.h"
#include "ui/listexport.h"
#include "ui/orderedfetch.h"
#include "ui/pagecontrols.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"
#include "ui/searchrun.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

NetdiskReader::NetdiskReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"NetdiskReader"_s);
    buildControls(page);

    m_parseTimer = new ReaderTimer(u"Timer17"_s, 100, this);
    m_notFoundTimer = new ReaderTimer(u"Timer18"_s, 1000, this);
    connect(m_parseTimer, &QTimer::timeout, this, &NetdiskReader::parseTick);
    connect(m_notFoundTimer, &QTimer::timeout, this, &NetdiskReader::notFoundTick);
    m_run = new SearchRun(m_context, {.buttons = {m_start}, .list = m_list, .timers = {m_parseTimer, m_notFoundTimer}},
                          this);
    m_run->setSiteKey(u"netdisk_search"_s);
    // Every fetch failed: end like a search without hits.
    m_run->setStallHandler([this] { m_notFoundTimer->arm(); });

    connect(m_keyword, &QLineEdit::textChanged, this,
            [this](const QString &text) { m_encodedKeyword = AddressTemplate::encodeKeyword(text, definition().keyword); });
    connect(m_start, &QPushButton::clicked, this, [this] { search(); });
    connect(m_selectAll, &QCheckBox::clicked, this, [this](bool checked) {
        for (QCheckBox *box : std::as_const(m_boxes))
            box->setChecked(checked);
    });

    m_list->bindRowActions(m_context);
    connect(m_list->menuAction(u"fzxx"_s), &QAction::triggered, this, &NetdiskReader::copyInformation);
    connect(m_list->menuAction(u"dcsj"_s), &QAction::triggered, this, &NetdiskReader::exportList);
}

void NetdiskReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);

    auto *kinds = new QGroupBox(u"网盘种类(支持多选)"_s, page);
    kinds->setObjectName(u"Frame1"_s);
    auto *grid = new QGridLayout(kinds);
    const QStringList &captions = definition().captions;
    for (int i = 0; i < captions.size(); ++i) {
        auto *box = new QCheckBox(captions.at(i), kinds);
        box->setObjectName(u"Check2_"_s + QString::number(i));
        grid->addWidget(box, i / 8, i % 8);
        m_boxes.append(box);
    }
    layout->addWidget(kinds);

    auto *row = new QHBoxLayout();
    m_selectAll = new QCheckBox(u"全选"_s, page);
    m_selectAll->setObjectName(u"Check3"_s);
    row->addWidget(m_selectAll);
    auto *keywordLabel = new QLabel(u"资源名称："_s, page);
    row->addWidget(keywordLabel);
    m_keyword = new QLineEdit(page);
    m_keyword->setObjectName(u"Text1"_s);
    m_keyword->setPlaceholderText(u"请输入要搜索的资源名称"_s);
    row->addWidget(m_keyword, 1);
    m_pageBox = addPageBox(row, page, u"Text3"_s, u"HScroll1"_s);
    m_start = new QPushButton(u"搜索"_s, page);
    m_start->setObjectName(u"Command1"_s);
    row->addWidget(m_start);
    layout->addLayout(row);

    m_listFrame = new QGroupBox(u"资源列表"_s, page);
    m_listFrame->setObjectName(u"Frame2"_s);
    auto *frameLayout = new QVBoxLayout(m_listFrame);
    m_list = ResultList::create(u"ListView1"_s, m_listFrame);
    frameLayout->addWidget(m_list);
    layout->addWidget(m_listFrame, 1);
}

QList<QWidget *> NetdiskReader::startupLockedControls() const
{
    QList<QWidget *> controls = {m_start, m_keyword, m_list, m_selectAll};
    for (QCheckBox *box : m_boxes)
        controls.append(box);
    return controls;
}

QString NetdiskReader::requestAddress(int index) const
{
    return netdiskSearchAddress(definition(), m_context.sites().site(u"netdisk_search"_s),
                                m_context.sites().netdiskFilter(index), m_encodedKeyword, m_pageBox->text());
}

QCoro::Task<> NetdiskReader::search()
{
    QList<int> ticked;
    for (int i = 0; i < m_boxes.size(); ++i) {
        if (m_boxes.at(i)->isChecked())
            ticked.append(i);
    }
    const QString keyword = m_keyword->text();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入要搜索的资源名称.."_s);
        co_return;
    }
    if (keyword.size() < 2) {
        m_context.report(u"请至少输入两位关键字.."_s);
        co_return;
    }
    if (ticked.isEmpty()) {
        m_context.report(u"请选择至少一个网盘进行搜索.."_s);
        co_return;
    }

    // A new search owns the timers: nothing left from an older one may
    // report into it.
    const quint64 run = m_run->begin(u"正在为您搜索["_s + keyword + u"]相关资源.."_s);
    m_pending.clear();
    m_pendingCount = 0;
    m_body.clear();
    QStringList addresses;
    QStringList captions;
    for (int index : std::as_const(ticked)) {
        addresses.append(requestAddress(index));
        captions.append(m_boxes.at(index)->text());
    }
    // Pages are counted in the order of their boxes, whichever came first.
    OrderedFetch::start(m_run, run, addresses, m_context.sites().network().parallel,
                        [this, captions](qsizetype slot, const QString &body) {
                            m_currentCaption = captions.at(slot);
                            m_body = body;
                            if (!m_body.isEmpty())
                                countStep(m_body, m_currentCaption);
                        });
    co_return;
}

void NetdiskReader::countStep(const QString &body, const QString &caption)
{
    const qsizetype count = m_run->listedRows(m_pendingCount + countNetdiskHits(definition(), body)) - m_pendingCount;
    if (count > 0) {
        m_pending.append({body, caption, count});
        m_pendingCount += count;
        m_parseTimer->arm();
    }
    m_notFoundTimer->arm();
}

void NetdiskReader::parseTick()
{
    // Each counted page is read once, against its own body, in fetch order.
    const QList<PendingPage> pages = std::exchange(m_pending, {});
    for (const PendingPage &page : pages) {
        const QList<ListRow> hits = parseNetdiskPage(definition(), page.body, page.count);
        for (const ListRow &hit : hits) {
            const ListRow row = netdiskListRow(definition(), hit, page.caption);
            m_currentLabel = row.text;
            m_list->addRow(row);
        }
    }
    m_pendingCount = 0;
    m_run->finish(m_currentLabel + u"搜索完毕.."_s);
    m_listFrame->setTitle(u"资源列表(当前共搜索到："_s + QString::number(m_list->rowCount()) + u"个资源)"_s);
    m_parseTimer->disarm();
}

void NetdiskReader::notFoundTick()
{
    if (m_list->rowCount() > 0)
        return;
    m_notFoundTimer->disarm();
    m_run->finish(m_currentCaption + u"未找到相关资源.."_s);
}

void NetdiskReader::copyInformation()
{
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        return;
    m_context.copyText(copyInformationText(m_list->cellText(row, 1), m_list->cellText(row, 2)));
    m_context.report(u"信息已复制!"_s);
}

void NetdiskReader::exportList()
{
    const QString path = m_context.services().homeDir + u"/网盘资源数据.txt"_s;
    if (ExportListViewContent(*m_list, path)) {
        m_context.report(u"成功导出网盘资源数据.."_s);
        m_context.message(u"成功导出网盘资源数据!"_s);
    } else {
        m_context.report(u"没有可导出的数据.."_s);
        m_context.message(u"没有可导出的数据!"_s);
    }
}

const SiteDefinition &NetdiskReader::definition() const
{
    return m_context.sites().definitions().get(u"netdisk"_s);
}
