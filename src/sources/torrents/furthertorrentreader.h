#pragma once

#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

struct SiteDefinition;
class QComboBox;
class QLineEdit;
class QPushButton;
class QWidget;
class ReaderTimer;
class ResultList;
class SearchRun;

// The two further torrent sites behind the channel selector: the magnet
// search site (channel 1) and the resource release site (channel 2, one
// detail page per row). One page number, kept across keywords and
// channels, is stepped by the paging buttons.
class FurtherTorrentReader : public QObject
{
    Q_OBJECT

public:
    FurtherTorrentReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &magnetDefinition() const;
    const SiteDefinition &releaseDefinition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> search();
    void nextPage();
    void previousPage();
    void countStep(qsizetype count, ReaderTimer *timer); // hx10, hx11
    void parseMagnetSearch();                            // Timer24
    void parseResourceRelease();                         // Timer26
    void finishParse();

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QComboBox *m_channel = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_magnetTimer = nullptr;
    ReaderTimer *m_releaseTimer = nullptr;
    SearchRun *m_run = nullptr;

    qint16 m_page = 1;
    QString m_body;
    qint16 m_itemCount = 0;
};
