#include "shell/allsearchpage.h"

#include "core/allsearch.h"
#include "core/allsearchrow.h"
#include "core/searchlimits.h"
#include "core/services.h"
#include "core/siteconfig.h"
#include "core/texttools.h"
#include "shell/allsearchsources.h"
#include "ui/allsearchcsv.h"
#include "ui/allsearchfiltermodel.h"
#include "ui/allsearchmodel.h"
#include "ui/dialogs.h"
#include "ui/searchrun.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QSettings>
#include <QShortcut>
#include <QSplitter>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

constexpr int StateColumn = 1;

QString answeredText(const AllSearchAnswer &answer, const HeadlessSource &source, const SiteConfig &sites)
{
    if (!answer.refusal.isEmpty())
        return answer.refusal;
    if (answer.rows.isEmpty() && answer.failure)
        return SearchRun::failureText(sites, *answer.failure, source.siteKey);
    QString text = u"%1 条，%2 ms"_s.arg(answer.rows.size()).arg(answer.elapsedMs);
    // What the command line says on stderr: a cut list, a rule that failed.
    if (answer.cutFrom > 0)
        text += u"（"_s + SearchLimits::cutNote(answer.cutFrom) + u"）"_s;
    for (const QString &error : answer.patternErrors)
        text += u"；"_s + error.section(u'\t', 2);
    return text;
}

} // namespace

AllSearchPage::AllSearchPage(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_page(page)
{
    setObjectName(u"AllSearchPage"_s);
    m_search = new AllSearch(m_context.fetcher(), m_context.sites(), this);
    m_model = new AllSearchModel(this);
    m_filter = new AllSearchFilterModel(this);
    m_filter->setSourceModel(m_model);
    m_sources = allSearchSources(m_context.sites().definitions());
    buildControls(page);
    buildActions();
    loadChoices();

    connect(m_search, &AllSearch::answered, this, &AllSearchPage::onAnswered);
    connect(m_search, &AllSearch::finished, this, &AllSearchPage::onFinished);
    connect(m_model, &AllSearchModel::rowsLanded, this, &AllSearchPage::reportWhenLanded);
    connect(m_start, &QPushButton::clicked, this, &AllSearchPage::start);
    connect(m_keyword, &QLineEdit::returnPressed, this, &AllSearchPage::start);
    connect(m_cancel, &QPushButton::clicked, this, &AllSearchPage::cancel);
    connect(m_filterBox, &QLineEdit::textChanged, m_filter, &AllSearchFilterModel::setFilterText);
    connect(m_results, &QTreeView::activated, this,
            [this](const QModelIndex &index) { openRow(m_filter->mapToSource(index).row()); });
    connect(m_sourceView, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *, int column) {
        if (column == 0)
            saveChoices();
    });

    auto *cancelKey = new QShortcut(QKeySequence(Qt::Key_Escape), page, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(cancelKey, &QShortcut::activated, this, &AllSearchPage::cancel);
    if (QWidget *window = m_context.window()) {
        auto *findKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_K), window, nullptr, nullptr, Qt::WindowShortcut);
        findKey->setObjectName(u"AllSearchShortcut"_s);
        connect(findKey, &QShortcut::activated, this, &AllSearchPage::bringForward);
    }
}

QString AllSearchPage::choicesFileName()
{
    return u"allsearch.ini"_s;
}

void AllSearchPage::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    row->addWidget(new QLabel(u"关键字："_s, page));
    m_keyword = new QLineEdit(page);
    m_keyword->setObjectName(u"AllSearchKeyword"_s);
    m_keyword->setPlaceholderText(u"在所有勾选的来源中同时搜索 (Ctrl+K)"_s);
    row->addWidget(m_keyword, 1);
    m_start = new QPushButton(u"全部搜索"_s, page);
    m_start->setObjectName(u"AllSearchStart"_s);
    row->addWidget(m_start);
    m_cancel = new QPushButton(u"取消"_s, page);
    m_cancel->setObjectName(u"AllSearchCancel"_s);
    m_cancel->setEnabled(false);
    row->addWidget(m_cancel);
    m_progress = new QProgressBar(page);
    m_progress->setObjectName(u"AllSearchProgress"_s);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setFormat(u"%v/%m 个来源"_s);
    row->addWidget(m_progress);
    layout->addLayout(row);

    auto *splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setChildrenCollapsible(false);
    m_sourceView = new QTreeWidget(splitter);
    m_sourceView->setObjectName(u"AllSearchSources"_s);
    m_sourceView->setHeaderLabels({u"来源"_s, u"状态"_s});
    m_sourceView->setRootIsDecorated(false);
    m_sourceView->setUniformRowHeights(true);
    for (const HeadlessSource &source : std::as_const(m_sources)) {
        auto *item = new QTreeWidgetItem(m_sourceView, {cleanCell(source.title), QString()});
        item->setData(0, Qt::UserRole, source.name);
        item->setToolTip(0, source.name);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(0, Qt::Checked);
        m_sourceItems.append(item);
    }
    m_sourceView->resizeColumnToContents(0);
    m_sourceView->setColumnWidth(0, m_sourceView->columnWidth(0) + 8);

    auto *right = new QWidget(splitter);
    auto *rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    auto *filterRow = new QHBoxLayout();
    filterRow->addWidget(new QLabel(u"筛选："_s, right));
    m_filterBox = new QLineEdit(right);
    m_filterBox->setObjectName(u"AllSearchFilter"_s);
    m_filterBox->setPlaceholderText(u"名称须含每个词（以空格分隔）"_s);
    m_filterBox->setClearButtonEnabled(true);
    filterRow->addWidget(m_filterBox, 1);
    rightLayout->addLayout(filterRow);
    m_results = new QTreeView(right);
    m_results->setObjectName(u"AllSearchResults"_s);
    m_results->setModel(m_filter);
    m_results->setRootIsDecorated(false);
    m_results->setUniformRowHeights(true);
    m_results->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_results->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_results->setSortingEnabled(true);
    m_results->sortByColumn(-1, Qt::AscendingOrder); // arrival order until a header is clicked
    m_results->setContextMenuPolicy(Qt::CustomContextMenu);
    m_results->header()->setStretchLastSection(true);
    m_results->setColumnWidth(AllSearchModel::Source, 110);
    m_results->setColumnWidth(AllSearchModel::Name, 280);
    m_results->setColumnWidth(AllSearchModel::Size, 70);
    m_results->setColumnWidth(AllSearchModel::Date, 90);
    rightLayout->addWidget(m_results, 1);
    splitter->addWidget(m_sourceView);
    splitter->addWidget(right);
    splitter->setStretchFactor(1, 1);
    splitter->setSizes({330, 700});
    layout->addWidget(splitter, 1);
}

void AllSearchPage::buildActions()
{
    const auto add = [this](const QString &name, const QString &caption, void (AllSearchPage::*slot)()) {
        auto *action = new QAction(caption, m_results);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, slot);
        m_rowActions.append(action);
        return action;
    };
    add(u"AllSearchCopyName"_s, u"复制名称"_s, &AllSearchPage::copyName);
    add(u"AllSearchCopyAddress"_s, u"复制地址"_s, &AllSearchPage::copyAddress);
    add(u"AllSearchCopySelected"_s, u"复制所选地址"_s, &AllSearchPage::copySelectedAddresses);
    m_export = add(u"AllSearchExport"_s, u"导出为 CSV..."_s, &AllSearchPage::exportVisible);
    m_showInList = add(u"AllSearchShowInList"_s, u"在原列表中查看"_s, &AllSearchPage::showInOwnList);
    connect(m_results, &QWidget::customContextMenuRequested, this, [this](const QPoint &point) {
        updateActions();
        auto *menu = new QMenu(m_results);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        for (QAction *action : std::as_const(m_rowActions)) {
            if (action == m_export || action == m_showInList)
                menu->addSeparator();
            menu->addAction(action);
        }
        menu->popup(m_results->viewport()->mapToGlobal(point));
    });
}

void AllSearchPage::updateActions()
{
    const int row = currentRow();
    for (QAction *action : std::as_const(m_rowActions))
        action->setEnabled(row >= 0);
    m_export->setEnabled(m_filter->rowCount() > 0);
    bool listed = false;
    if (row >= 0) {
        for (const QString &source : m_model->sourcesAt(row))
            listed = listed || sourceTab(source).has_value();
    }
    m_showInList->setEnabled(listed);
}

void AllSearchPage::loadChoices()
{
    const QString home = m_context.services().homeDir;
    if (home.isEmpty())
        return;
    QSettings choices(home + u'/' + choicesFileName(), QSettings::IniFormat);
    choices.beginGroup(u"sources"_s);
    const QSignalBlocker quiet(m_sourceView);
    for (QTreeWidgetItem *item : std::as_const(m_sourceItems)) {
        const QString name = item->data(0, Qt::UserRole).toString();
        item->setCheckState(0, choices.value(name, true).toBool() ? Qt::Checked : Qt::Unchecked);
    }
}

void AllSearchPage::saveChoices() const
{
    const QString home = m_context.services().homeDir;
    if (home.isEmpty())
        return;
    QSettings choices(home + u'/' + choicesFileName(), QSettings::IniFormat);
    choices.beginGroup(u"sources"_s);
    for (const QTreeWidgetItem *item : m_sourceItems)
        choices.setValue(item->data(0, Qt::UserRole).toString(), item->checkState(0) == Qt::Checked);
}

void AllSearchPage::bringForward()
{
    auto *tabs = m_context.window() ? m_context.window()->findChild<QTabWidget *>(u"SSTab1"_s) : nullptr;
    // The start-up lock holds this page like every other.
    if (!tabs || !tabs->isEnabled())
        return;
    tabs->setCurrentWidget(m_page);
    m_keyword->setFocus(Qt::ShortcutFocusReason);
    m_keyword->selectAll();
}

void AllSearchPage::searchFor(const QString &keyword)
{
    bringForward();
    m_keyword->setText(keyword);
    start();
}

void AllSearchPage::start()
{
    const QString keyword = m_keyword->text().trimmed();
    if (keyword.isEmpty()) {
        m_context.report(u"请输入要搜索的资源名称.."_s);
        return;
    }
    QList<HeadlessSource> asked;
    m_asked.clear();
    for (qsizetype i = 0; i < m_sources.size(); ++i) {
        const bool ticked = m_sourceItems.at(i)->checkState(0) == Qt::Checked;
        m_sourceItems.at(i)->setText(StateColumn, ticked ? u"等待中"_s : u"未勾选"_s);
        if (ticked) {
            m_asked.append(int(i));
            asked.append(m_sources.at(i));
        }
    }
    if (asked.isEmpty()) {
        m_context.report(u"请至少勾选一个来源.."_s);
        return;
    }
    m_keywordAsked = keyword;
    m_reportWhenLanded = false;
    m_model->clear();
    m_progress->setRange(0, int(asked.size()));
    m_progress->setValue(0);
    m_cancel->setEnabled(true);
    m_context.report(u"正在所有来源中搜索["_s + keyword + u"]相关资源.."_s);
    m_search->start(asked, keyword);
}

void AllSearchPage::cancel()
{
    if (!m_search->isRunning())
        return;
    m_search->cancel();
    m_reportWhenLanded = false;
    for (int index : std::as_const(m_asked)) {
        QTreeWidgetItem *item = m_sourceItems.at(index);
        if (item->text(StateColumn) == u"等待中"_s)
            item->setText(StateColumn, u"已取消"_s);
    }
    m_cancel->setEnabled(false);
    m_context.report(u"已取消搜索，已列出 %1 条结果.."_s.arg(m_model->rowCount() + m_model->pendingRows()));
}

void AllSearchPage::onAnswered(const AllSearchAnswer &answer)
{
    const int index = m_asked.value(answer.index, -1);
    if (index < 0)
        return;
    const HeadlessSource &source = m_sources.at(index);
    m_sourceItems.at(index)->setText(StateColumn, answeredText(answer, source, m_context.sites()));
    QList<AllSearchRow> rows;
    rows.reserve(answer.rows.size());
    for (const ListRow &row : answer.rows)
        rows.append(allSearchRow(source.name, source.title, row));
    m_model->addRows(rows);
    m_progress->setValue(m_search->answeredCount());
}

void AllSearchPage::onFinished()
{
    m_cancel->setEnabled(false);
    m_reportWhenLanded = true;
    reportWhenLanded();
}

void AllSearchPage::reportWhenLanded()
{
    // The count is the merged list's, once every queued row is in.
    if (!m_reportWhenLanded || m_model->pendingRows() > 0)
        return;
    m_reportWhenLanded = false;
    const int total = m_model->rowCount();
    m_context.report(total > 0 ? u"全部来源搜索完毕，共 %1 条结果.."_s.arg(total)
                               : u"所有来源都未找到["_s + m_keywordAsked + u"]相关资源.."_s);
    Q_EMIT searchFinished();
}

int AllSearchPage::currentRow() const
{
    const QModelIndex current = m_results->currentIndex();
    return current.isValid() ? m_filter->mapToSource(current).row() : -1;
}

QList<int> AllSearchPage::selectedRows() const
{
    QList<int> rows;
    // In the order the user sees them.
    QModelIndexList selected = m_results->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex &a, const QModelIndex &b) { return a.row() < b.row(); });
    for (const QModelIndex &index : std::as_const(selected))
        rows.append(m_filter->mapToSource(index).row());
    return rows;
}

void AllSearchPage::openRow(int row)
{
    if (row < 0)
        return;
    const QString address = m_model->rowAt(row).address;
    if (address.isEmpty()) {
        m_context.report(u"该条结果没有地址.."_s);
        return;
    }
    m_context.openAddress(address);
}

void AllSearchPage::copyName()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_context.copyText(m_model->rowAt(row).name);
    m_context.report(u"名称已复制!"_s);
}

void AllSearchPage::copyAddress()
{
    const int row = currentRow();
    if (row < 0)
        return;
    m_context.copyText(m_model->rowAt(row).address);
    m_context.report(u"地址已复制!"_s);
}

void AllSearchPage::copySelectedAddresses()
{
    QStringList addresses;
    for (int row : selectedRows()) {
        const QString address = m_model->rowAt(row).address;
        if (!address.isEmpty())
            addresses.append(address);
    }
    if (addresses.isEmpty())
        return;
    m_context.copyText(addresses.join(u'\n'));
    m_context.report(u"已复制 %1 个地址!"_s.arg(addresses.size()));
}

void AllSearchPage::exportVisible()
{
    if (m_filter->rowCount() == 0) {
        m_context.report(u"列表中没有可导出的结果.."_s);
        return;
    }
    Dialogs *dialogs = m_context.services().dialogs;
    const QString suggested = m_context.services().homeDir.isEmpty()
                                  ? u"搜索结果.csv"_s
                                  : m_context.services().homeDir + u"/搜索结果.csv"_s;
    const QString path = dialogs ? dialogs->saveFileName(m_context.window(), u"导出搜索结果"_s, suggested,
                                                         u"CSV 文件 (*.csv)"_s)
                                 : QString();
    if (path.isEmpty())
        return;
    QSaveFile file(path);
    const QByteArray bytes = allSearchCsv(*m_filter);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_context.report(u"导出失败："_s + file.errorString());
        return;
    }
    m_context.report(u"已导出 %1 条结果.."_s.arg(m_filter->rowCount()));
}

void AllSearchPage::showInOwnList()
{
    const int row = currentRow();
    if (row < 0)
        return;
    std::optional<SourceTab> place;
    for (const QString &source : m_model->sourcesAt(row)) {
        if ((place = sourceTab(source)))
            break;
    }
    QWidget *window = m_context.window();
    if (!place || !window)
        return;
    for (const auto &[tabsName, index] : std::as_const(place->tabs)) {
        if (auto *tabs = window->findChild<QTabWidget *>(tabsName))
            tabs->setCurrentIndex(index);
    }
    if (!place->channelBox.isEmpty()) {
        if (auto *channel = window->findChild<QComboBox *>(place->channelBox))
            channel->setCurrentIndex(place->channel);
    }
    if (!place->pageBox.isEmpty()) {
        if (auto *pageBox = window->findChild<QLineEdit *>(place->pageBox))
            pageBox->setText(u"1"_s);
    }
    auto *keyword = window->findChild<QLineEdit *>(place->keywordBox);
    auto *button = window->findChild<QAbstractButton *>(place->startButton);
    if (!keyword || !button)
        return;
    keyword->setText(m_keywordAsked);
    if (button->isEnabled())
        button->click();
}
