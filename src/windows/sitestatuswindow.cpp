#include "windows/sitestatuswindow.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "core/sitestatusboard.h"

#include <QHash>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

SiteStatusWindow::SiteStatusWindow(const SiteConfig &sites, const QString &sitesFile, SiteStatusBoard &board,
                                   std::function<void(const QString &key)> recheck, QWidget *parent)
    : QDialog(parent)
    , m_sites(sites)
    , m_board(&board)
    , m_recheck(std::move(recheck))
{
    setObjectName(u"siteStatusWindow"_s);
    setWindowTitle(u"站点状态"_s);
    setAttribute(Qt::WA_DeleteOnClose);
    resize(760, 420);

    // Which file these addresses come from: a typo in --sites or a missing
    // sites.ini shows here first.
    auto *file = new QLabel(u"配置文件："_s + (sitesFile.isEmpty() ? u"无"_s : sitesFile), this);
    file->setObjectName(u"sitesFileLabel"_s);
    file->setTextInteractionFlags(Qt::TextSelectableByMouse);

    m_table = new QTableWidget(0, 6, this);
    m_table->setObjectName(u"siteStatusTable"_s);
    m_table->setHorizontalHeaderLabels({u"站点"_s, u"键"_s, u"地址"_s, u"结果"_s, u"耗时"_s, u"时间"_s});
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->verticalHeader()->hide();
    m_table->horizontalHeader()->setSectionResizeMode(AddressColumn, QHeaderView::Stretch);
    // A broken definition file of the user's was skipped, or one was set
    // aside for another of its name: say so here.
    QStringList problems;
    for (const DefinitionProblem &problem : sites.definitions().problems())
        problems.append((problem.setAside ? u"同名定义文件，未采用："_s : u"定义文件有误，未采用："_s) + problem.text());
    // A base address of the configuration file that was refused.
    QStringList refusedSites;
    for (const QString &problem : sites.problems())
        refusedSites.append(u"配置文件地址有误，未采用："_s + problem);
    auto *sitesProblems = new QLabel(refusedSites.join(u'\n'), this);
    sitesProblems->setObjectName(u"sitesProblems"_s);
    sitesProblems->setTextFormat(Qt::PlainText);
    sitesProblems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    sitesProblems->setVisible(!refusedSites.isEmpty());
    auto *definitionProblems = new QLabel(problems.join(u'\n'), this);
    definitionProblems->setObjectName(u"definitionProblems"_s);
    definitionProblems->setTextFormat(Qt::PlainText);
    definitionProblems->setTextInteractionFlags(Qt::TextSelectableByMouse);
    definitionProblems->setVisible(!problems.isEmpty());

    // Only the sites this configuration has an address for; a user's
    // source under its own title.
    QHash<QString, QString> userTitles;
    for (const SiteDefinition *source : sites.definitions().userSources())
        userTitles.insert(source->base.isEmpty() ? source->site.toLower() : source->name, source->title);
    for (const QString &key : sites.checkedKeys()) {
        if (sites.site(key).isEmpty())
            continue;
        const int row = m_table->rowCount();
        m_table->insertRow(row);
        const QString title = SiteConfig::siteKeys().contains(key) ? SiteConfig::siteTitle(key) : userTitles.value(key, key);
        const QStringList texts = {title, key, sites.site(key), {}, {}, {}};
        for (int column = 0; column < texts.size(); ++column)
            m_table->setItem(row, column, new QTableWidgetItem(texts.at(column)));
        showStatus(key);
    }

    m_recheckButton = new QPushButton(u"重新检测"_s, this);
    m_recheckButton->setObjectName(u"recheckButton"_s);
    m_recheckButton->setEnabled(false);
    auto *close = new QPushButton(u"关闭"_s, this);
    close->setObjectName(u"closeButton"_s);
    auto *buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(m_recheckButton);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(file);
    layout->addWidget(sitesProblems);
    layout->addWidget(definitionProblems);
    layout->addWidget(m_table, 1);
    layout->addLayout(buttons);

    connect(m_table, &QTableWidget::itemSelectionChanged, this,
            [this] { m_recheckButton->setEnabled(!m_table->selectedItems().isEmpty()); });
    connect(m_recheckButton, &QPushButton::clicked, this, &SiteStatusWindow::recheckSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(&board, &SiteStatusBoard::changed, this, &SiteStatusWindow::showStatus);
}

int SiteStatusWindow::rowOf(const QString &key) const
{
    for (int row = 0; row < m_table->rowCount(); ++row) {
        if (m_table->item(row, KeyColumn)->text() == key)
            return row;
    }
    return -1;
}

void SiteStatusWindow::showStatus(const QString &key)
{
    const int row = rowOf(key);
    if (row < 0 || !m_board)
        return;
    const SiteStatus status = m_board->status(key);
    m_table->item(row, OutcomeColumn)->setText(status.describe());
    m_table->item(row, TimeTakenColumn)->setText(status.known() ? QString::number(status.outcome.elapsedMs) + u" ms"_s
                                                                : QString());
    m_table->item(row, CheckedAtColumn)->setText(status.known() ? status.checkedAt.toString(u"HH:mm:ss"_s) : QString());
}

void SiteStatusWindow::recheckSelected()
{
    const QList<QTableWidgetItem *> selected = m_table->selectedItems();
    if (selected.isEmpty() || !m_recheck)
        return;
    const int row = selected.first()->row();
    m_table->item(row, OutcomeColumn)->setText(u"检测中..."_s);
    m_recheck(m_table->item(row, KeyColumn)->text());
}
