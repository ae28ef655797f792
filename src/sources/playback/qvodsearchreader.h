#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

struct SiteDefinition;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ReaderTimer;
class ResultList;
class SearchRun;

// The QVOD search site on the 影视搜索 page: listing pages (Command53_7 ..
// _9, Timer13) and a keyword search over every result page (Command53_10,
// Text15, Timer14), all into ListView14.
class QvodSearchReader : public QObject
{
    Q_OBJECT

public:
    QvodSearchReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &searchDefinition() const;  // "qvod-search"
    const SiteDefinition &listingDefinition() const; // "qvod-list"
    void buildControls(QWidget *page);
    QCoro::Task<> listPage();        // Command53_7
    void stepPage(int step);         // Command53_8, _9
    void parseListing();             // Timer13
    QCoro::Task<> search();          // Command53_10
    QCoro::Task<> fetchFurtherPage(); // Timer14
    void parseResults();
    QCoro::Task<> readDetail();      // ListView14 double-click

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QPushButton *m_get = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_search = nullptr;
    ResultList *m_list = nullptr;
    QLabel *m_preview = nullptr;
    ReaderTimer *m_listingTimer = nullptr;
    ReaderTimer *m_pagesTimer = nullptr;
    SearchRun *m_run = nullptr;

    qint16 m_page = 1;
    QString m_text;          // the listing page, or every result page joined
    qint16 m_listingRows = 0;
    int m_resultCount = 0;
    int m_remainingPages = 0;
    LatestRequest m_detailRead{this}; // the newest double-click wins
};
