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
class ResultList;
class SearchRun;

// The eMule site's BT movie section: Commandz3_0 lists the current page in
// ListView16, Commandz3_1 / Commandz3_2 step pages; a double-click reads
// the movie's download page into Text18 (address), Text6 (name) and
// Label38 (date); Commandz3_4 streams Text18 through cloud on-demand.
class BtMovieReader : public QObject
{
    Q_OBJECT

public:
    BtMovieReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    int page() const;

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> fetchPage();
    void nextPage();
    void previousPage();
    void cloudPlay();
    QCoro::Task<> readDownloadPage();

    ReaderContext m_context;
    QPushButton *m_fetch = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_cloud = nullptr;
    ResultList *m_list = nullptr;
    QLineEdit *m_address = nullptr;
    QLineEdit *m_name = nullptr;
    QLabel *m_date = nullptr;
    SearchRun *m_run = nullptr;
    qint16 m_page = 1;
    LatestRequest m_read{this}; // the newest double-click wins
};
