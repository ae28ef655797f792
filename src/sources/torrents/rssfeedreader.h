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

// The RSS torrent feed: the feed for a keyword, one row per item. Started
// by member 1 of the source button group; its list downloads the torrent
// file of a row into the download directory.
class RssFeedReader : public QObject
{
    Q_OBJECT

public:
    RssFeedReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page, SourceButtonGroup *sources);
    QCoro::Task<> search();
    void countStep();    // hx2
    void parseTick();    // Timer5
    void notFoundTick(); // Timer6
    QCoro::Task<> downloadTorrent(); // dkbtxz

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QPushButton *m_start = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_parseTimer = nullptr;
    ReaderTimer *m_notFoundTimer = nullptr;
    SearchRun *m_run = nullptr;

    QString m_encodedKeyword;
    QString m_body;
    qint16 m_itemCount = 0;
};
