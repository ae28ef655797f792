#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

class ResultList;

// The "提取种子" row action of an eMule list: reads the selected row's
// detail page and puts its first ed2k link on the clipboard. A page without
// one leaves the clipboard as it was.
class Ed2kLinkExtractor : public QObject
{
    Q_OBJECT

public:
    // Connects the list's menu action `actionName`.
    Ed2kLinkExtractor(const ReaderContext &context, ResultList *list, const QString &actionName,
                      QObject *parent);

    static const QString &copiedMessage();
    static const QString &failedMessage();

private:
    QCoro::Task<> extract();

    ReaderContext m_context;
    QPointer<ResultList> m_list;
    LatestRequest m_extraction{this}; // the latest click's page is the one copied
};
