#include "sources/torrents/btboardreader.h"

#include "core/definitioncatalog.h"
#include "core/siteconfig.h"
#include "sources/torrents/btboardparser.h"
#include "ui/resultlist.h"
#include "ui/searchrun.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

BtBoardReader::BtBoardReader(const ReaderContext &context, QWidget *page, QObject *parent)
    : QObject(parent)
    , m_context(context)
{
    setObjectName(u"BtBoardReader"_s);
    buildControls(page);
    m_run = new SearchRun(m_context, this);
    m_run->setSiteKey(u"bt_board"_s);
    m_run->setStartButtons({m_fetch, m_next, m_previous});
    m_run->setList(m_list);
    // A failed fetch ends quietly, the progress message left standing.
    m_run->setStallHandler([this] { m_run->finish(); });
    connect(m_fetch, &QPushButton::clicked, this, [this] { fetchBoard(); });
    connect(m_next, &QPushButton::clicked, this, &BtBoardReader::nextBoard);
    connect(m_previous, &QPushButton::clicked, this, &BtBoardReader::previousBoard);
}

int BtBoardReader::board() const
{
    return m_board;
}

void BtBoardReader::buildControls(QWidget *page)
{
    auto *layout = new QVBoxLayout(page);
    auto *row = new QHBoxLayout();
    const QStringList captions = {u"获取资源"_s, u"下一页"_s, u"上一页"_s};
    QList<QPushButton *> buttons;
    for (int i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(captions.at(i), page);
        button->setObjectName(u"Command3_"_s + QString::number(i));
        row->addWidget(button);
        buttons.append(button);
    }
    m_fetch = buttons.at(0);
    m_next = buttons.at(1);
    m_previous = buttons.at(2);
    row->addStretch(1);
    auto *note = new QLabel(u"双击列表可查看影片\n详情及对应下载地址"_s, page);
    note->setObjectName(u"BoardNote"_s);
    row->addWidget(note);
    layout->addLayout(row);
    m_list = ResultList::create(u"ListView18"_s, page);
    layout->addWidget(m_list, 1);
}

QCoro::Task<> BtBoardReader::fetchBoard()
{
    m_run->begin(u"正在获取资源 ..."_s);
    const SiteDefinition &definition = m_context.sites().definitions().get(u"bt-board"_s);
    const QString base = m_context.sites().site(u"bt_board"_s);
    const std::optional<QString> body =
        co_await m_run->fetch(btBoardAddress(definition, base, m_board), SearchRun::Form::Plain);
    if (!body)
        co_return;
    if (body->isEmpty()) {
        m_run->finish();
        co_return;
    }
    const QList<BtBoardRow> rows = parseBtBoard(definition, *body, base);
    for (qsizetype i = 0; i < rows.size(); ++i)
        m_list->addRow(btBoardListRow(rows.at(i), i + 1));
    m_run->finish(u"获取完毕 ..."_s);
}

void BtBoardReader::nextBoard()
{
    if (m_board >= LastBoard) {
        m_context.message(u"已经是最后一页!"_s);
        return;
    }
    ++m_board;
    fetchBoard();
}

void BtBoardReader::previousBoard()
{
    if (m_board <= FirstBoard) {
        m_context.message(u"已经是最上一页!"_s);
        return;
    }
    --m_board;
    fetchBoard();
}
