#pragma once

#include "ui/readercontext.h"

#include <QCoroTask>
#include <QList>
#include <QObject>


struct SiteDefinition;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QWidget;
class ReaderTimer;
class ResultList;
class SearchRun;

// Netdisk search: asks the web search engine for hits on each ticked
// netdisk, one request per netdisk in index order, and lists them with the
// netdisk's label, the page title and the address. Builds its controls on
// the page it is given.
class NetdiskReader : public QObject
{
    Q_OBJECT

public:
    NetdiskReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    // The controls that stay locked until the version check has passed.
    QList<QWidget *> startupLockedControls() const;

private:
    const SiteDefinition &definition() const;
    struct PendingPage
    {
        QString body;
        QString caption; // the box whose page this is
        qsizetype count = 0;
    };

    void buildControls(QWidget *page);
    QCoro::Task<> search();
    void countStep(const QString &body, const QString &caption); // hx8
    void parseTick();                                            // Timer17
    void notFoundTick();                                         // Timer18
    void exportList();                                           // dcsj
    void copyInformation();                                      // fzxx
    QString requestAddress(int index) const;

    ReaderContext m_context;
    QList<QCheckBox *> m_boxes;
    QCheckBox *m_selectAll = nullptr;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QPushButton *m_start = nullptr;
    QGroupBox *m_listFrame = nullptr;
    ResultList *m_list = nullptr;
    ReaderTimer *m_parseTimer = nullptr;
    ReaderTimer *m_notFoundTimer = nullptr;
    SearchRun *m_run = nullptr;

    QString m_encodedKeyword;
    QString m_body;
    QList<PendingPage> m_pending; // counted pages the parse tick has not read yet
    qsizetype m_pendingCount = 0;
    QString m_currentLabel;
    QString m_currentCaption;
};
