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

// The eMule resource site's own keyword search: one result page per
// keyword and page, in the listing markup of the categories, counted at
// once and turned into rows by Timer15.
class EmuleSearchReader : public QObject
{
    Q_OBJECT

public:
    EmuleSearchReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    static const QString &notFoundMessage();

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> search(); // Command38_3
    void countStep();       // hx7
    void parseTick();       // Timer15
    void reportNotFound();

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QPushButton *m_start = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_parseTimer = nullptr;
    SearchRun *m_run = nullptr;

    QString m_body;
    qsizetype m_itemCount = 0;
};
