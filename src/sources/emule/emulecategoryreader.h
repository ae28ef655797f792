#pragma once

#include "ui/readercontext.h"

#include <QCoroTask>
#include <QObject>

struct SiteDefinition;
class QPushButton;
class QWidget;
class ResultList;
class SearchRun;

// One category of the eMule resource site (films, music, software, books,
// education, general, cartoons): a three-member button group ("获取资源",
// "下一页", "上一页"), the category's own page number, kept for the life of
// the window, and its list, refilled with the 30 items of a page.
class EmuleCategoryReader : public QObject
{
    Q_OBJECT

public:
    enum Category { Movie, Music, Software, Book, Education, Datum, Cartoon, CategoryCount };

    EmuleCategoryReader(const ReaderContext &context, QWidget *page, Category category, QObject *parent = nullptr);

    // The reader table's maker for one category.
    template<Category C>
    static QObject *make(const ReaderContext &context, QWidget *page, QObject *parent)
    {
        return new EmuleCategoryReader(context, page, C, parent);
    }

private:
    const SiteDefinition &definition() const;
    void buildControls(QWidget *page);
    QCoro::Task<> fetchPage(); // member 0
    void nextPage();           // member 1
    void previousPage();       // member 2

    ReaderContext m_context;
    Category m_category;
    qint64 m_page = 1;
    QPushButton *m_buttons[3] = {};
    ResultList *m_list = nullptr;
    SearchRun *m_run = nullptr;
};
