#pragma once

#include "core/headlesssource.h"
#include "ui/readercontext.h"

#include <QList>
#include <QObject>
#include <QString>

class AllSearch;
class AllSearchFilterModel;
class AllSearchModel;
class QAction;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;
struct AllSearchAnswer;

// The search across every source: one keyword asked of every ticked
// source at once, their rows streamed into one merged list that sorts by
// any column and narrows by a filter. The ticked sources are kept in
// "allsearch.ini" in the home folder.
class AllSearchPage : public QObject
{
    Q_OBJECT

public:
    AllSearchPage(const ReaderContext &context, QWidget *page, QObject *parent = nullptr);

    static QString choicesFileName();

    // Brings the page forward and searches every ticked source for `keyword`.
    void searchFor(const QString &keyword);

Q_SIGNALS:
    // A search ended: every source answered.
    void searchFinished();

private:
    void buildControls(QWidget *page);
    void buildActions();
    void loadChoices();
    void saveChoices() const;
    void bringForward();

    void start();
    void cancel();
    void onAnswered(const AllSearchAnswer &answer);
    void onFinished();
    void reportWhenLanded();

    // The source row of the results view's current row; -1 for none.
    int currentRow() const;
    QList<int> selectedRows() const;
    void openRow(int row);
    void copyName();
    void copyAddress();
    void copySelectedAddresses();
    void exportVisible();
    void showInOwnList();
    void updateActions();

    ReaderContext m_context;
    AllSearch *m_search = nullptr;
    AllSearchModel *m_model = nullptr;
    AllSearchFilterModel *m_filter = nullptr;
    QWidget *m_page = nullptr;
    QLineEdit *m_keyword = nullptr;
    QPushButton *m_start = nullptr;
    QPushButton *m_cancel = nullptr;
    QLineEdit *m_filterBox = nullptr;
    QTreeView *m_results = nullptr;
    QTreeWidget *m_sourceView = nullptr;
    QProgressBar *m_progress = nullptr;
    QList<QAction *> m_rowActions;
    QAction *m_export = nullptr;
    QAction *m_showInList = nullptr;

    QList<HeadlessSource> m_sources;          // every source the page offers
    QList<QTreeWidgetItem *> m_sourceItems;   // one per source, same order
    QList<int> m_asked;                       // the running search's sources
    QString m_keywordAsked;                   // the keyword its rows came from
    bool m_reportWhenLanded = false;          // the search ended; its rows still landing
};
