#pragma once

#include "core/latestrequest.h"
#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>
#include <QPointer>

class QWidget;
class ResultList;

// The BT board list's double-click: reads the post and shows it in the
// movie detail window (Form11); a post without film data offers to open
// the post in the browser instead. It adds no controls: it sits on the
// board's page, after the board reader, and works on its ListView18.
class MovieDetailReader : public QObject
{
    Q_OBJECT

public:
    MovieDetailReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

private:
    QCoro::Task<> readPost();

    ReaderContext m_context;
    QPointer<ResultList> m_list;
    LatestRequest m_read{this}; // the newest double-click wins
};
