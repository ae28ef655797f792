#pragma once

#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

struct SiteDefinition;
class QLineEdit;
class QPushButton;
class QWidget;
class ReaderTimer;
class ResultList;
class SearchRun;
class SourceButtonGroup;

// Torrent search: one result page of the torrent search site per keyword
// and page, one row per magnet link. Owns the source button group whose
// member 0 starts it; the other members belong to the RSS feed and the
// movie resource search.
class TorrentSearchReader : public QObject
{
    Q_OBJECT

public:
    TorrentSearchReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> search();
    void countStep();    // hx
    void parseTick();    // Timer3
    void notFoundTick(); // Timer4

    ReaderContext m_context;
    SourceButtonGroup *m_sources = nullptr;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QPushButton *m_start = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_parseTimer = nullptr;
    ReaderTimer *m_notFoundTimer = nullptr;
    SearchRun *m_run = nullptr;

    QString m_encodedKeyword;
    QString m_body;
    qsizetype m_magnetCount = 0;
};
