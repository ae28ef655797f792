#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

class QEvent;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultList;
class SearchRun;
class SourceButtonGroup;

// Movie resource search: one result page of the movie resource site per
// keyword and page, parsed right after the fetch. Started by member 2 of
// the source button group. Its keyword box shows a placeholder text while
// it is empty and has no focus. A double-click on a title hands the QVOD
// addresses of its detail page to the player's QVOD list.
class MovieResourceReader : public QObject
{
    Q_OBJECT

public:
    static const QString &placeholder();

    MovieResourceReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildControls(QWidget *page, SourceButtonGroup *sources);
    QCoro::Task<> search();
    void reportNotFound();
    QCoro::Task<> readQvodAddresses();

    ReaderContext m_context;
    QLineEdit *m_keyword = nullptr;
    QLineEdit *m_pageBox = nullptr;
    QPushButton *m_start = nullptr;
    ResultList *m_list = nullptr;
    SearchRun *m_run = nullptr;
    LatestRequest m_qvodRead{this}; // the newest double-click wins
};
