#include "sources/emule/ed2klinkextractor.h"

#include "core/ed2klink.h"
#include "core/pagefetcher.h"
#include "sources/emule/emuleparser.h"
#include "ui/resultlist.h"
#include "ui/rowactions.h"

#include <QAction>

using namespace Qt::StringLiterals;

namespace {

// The detail address column (zzdz) of every eMule list.
constexpr int DetailSubitem = 3;

} // namespace

Ed2kLinkExtractor::Ed2kLinkExtractor(const ReaderContext &context, ResultList *list, const QString &actionName,
                                     QObject *parent)
    : QObject(parent)
    , m_context(context)
    , m_list(list)
{
    setObjectName(u"Ed2kLinkExtractor_"_s + actionName);
    if (QAction *action = list->menuAction(actionName))
        connect(action, &QAction::triggered, this, [this] { extract(); });
}

const QString &Ed2kLinkExtractor::copiedMessage()
{
    static const QString text = u"种子地址已提取并自动复制到剪贴板!"_s;
    return text;
}

const QString &Ed2kLinkExtractor::failedMessage()
{
    static const QString text = u"种子地址提取失败!"_s;
    return text;
}

QCoro::Task<> Ed2kLinkExtractor::extract()
{
    if (!m_list)
        co_return;
    const QTreeWidgetItem *row = guardedRow(*m_list, m_context);
    if (!row)
        co_return;
    const QString address = m_list->cellText(row, DetailSubitem);
    const LatestRequest::Ticket ticket = m_extraction.take();
    const QString body = co_await m_context.fetcher().GetBody(address);
    if (!ticket.isLatest())
        co_return;
    const QString link = firstEd2kLink(body);
    // "ed2k://" alone is no link: the clipboard keeps what it held.
    if (link.isEmpty()) {
        m_context.report(failedMessage());
        co_return;
    }
    m_context.copyText(link);
    m_context.report(copiedMessage());
}
