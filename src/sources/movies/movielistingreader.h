#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QList>
#include <QObject>

struct SiteDefinition;
class QPushButton;
class QWidget;
class ResultList;

// The movie listing site: six category buttons (Command14_0 .. _5) fill
// ListView5 with the newest 25 titles of their index page; a double-click
// puts a title's download address in the player's list in place of what
// it held, "解析影视种子" adds it at the end.
class MovieListingReader : public QObject
{
    Q_OBJECT

public:
    MovieListingReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &definition() const;
    enum class Feed { Replace, Append };

    void buildControls(QWidget *page);
    QCoro::Task<> listCategory(int index);
    QCoro::Task<> readDownloadAddress(Feed feed);
    void copyDetailAddress();

    ReaderContext m_context;
    QList<QPushButton *> m_categories;
    ResultList *m_list = nullptr;
    LatestRequest m_listing{this};      // the newest category click wins
    LatestRequest m_downloadRead{this}; // the newest row asked for wins
    QString m_failureShown; // the failure text last put in the status panel
};
