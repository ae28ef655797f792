#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

struct SiteDefinition;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;
class ReaderTimer;
class ResultList;
class SearchRun;

// The QVOD channel site on the 快播影视 page: channel list pages into
// ListView3 (Command53_3 .. _5, Timer7), and a row's detail page into the
// poster and the four player address boxes Text7, Text9, Text10, Text11,
// whose QVOD address Command48 plays.
class QvodChannelReader : public QObject
{
    Q_OBJECT

public:
    QvodChannelReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> listPage();   // Command53_3
    void nextPage();            // Command53_4
    void previousPage();        // Command53_5
    void parsePage();           // Timer7
    QCoro::Task<> readDetail(); // ListView3 double-click
    QCoro::Task<> loadPoster(QString address, LatestRequest::Ticket read);
    void playQvodBox();         // Command48

    ReaderContext m_context;
    ResultList *m_list = nullptr;
    QPushButton *m_get = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    QPushButton *m_play = nullptr;
    QGroupBox *m_addressFrame = nullptr;
    QLabel *m_poster = nullptr;
    QLineEdit *m_xunbo = nullptr;  // Text7
    QLineEdit *m_qq = nullptr;     // Text9
    QLineEdit *m_baidu = nullptr;  // Text10
    QLineEdit *m_kuaibo = nullptr; // Text11
    ReaderTimer *m_timer = nullptr;
    SearchRun *m_run = nullptr;

    qint16 m_page = 1;
    QString m_pageText;
    int m_entryCount = 25;
    LatestRequest m_detailRead{this}; // a newer double-click supersedes an older read
};
