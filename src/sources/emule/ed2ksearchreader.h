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

// The ed2k search site: one result page per keyword and page, rows counted
// at once, turned into rows by Timer20; Timer21 reports an empty list.
class Ed2kSearchReader : public QObject
{
    Q_OBJECT

public:
    Ed2kSearchReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> search(); // Command38_4
    void countStep();       // hx9
    void parseTick();       // Timer20
    void notFoundTick();    // Timer21

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QPushButton *m_start = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_parseTimer = nullptr;
    ReaderTimer *m_notFoundTimer = nullptr;
    SearchRun *m_run = nullptr;

    QString m_body;
    qsizetype m_rowCount = 0;
};
