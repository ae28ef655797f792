#pragma once

#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

class QPushButton;
class QWidget;
class ResultList;
class SearchRun;

// The BT board: Command3_0 fetches the post list of the current board
// into ListView18, Command3_1 / Command3_2 step to the next / previous of
// boards 1 to 8 and fetch it. The buttons rest while a fetch runs. The
// list's double-click belongs to the movie detail reader.
class BtBoardReader : public QObject
{
    Q_OBJECT

public:
    BtBoardReader(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    int board() const;

private:
    void buildControls(QWidget *page);
    QCoro::Task<> fetchBoard();
    void nextBoard();
    void previousBoard();

    ReaderContext m_context;
    QPushButton *m_fetch = nullptr;
    QPushButton *m_next = nullptr;
    QPushButton *m_previous = nullptr;
    ResultList *m_list = nullptr;
    SearchRun *m_run = nullptr;
    qint16 m_board = 1;
};
