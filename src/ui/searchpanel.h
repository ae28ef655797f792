#pragma once

#include <QString>

class QHBoxLayout;
class QLineEdit;
class QPushButton;
class QWidget;
class ResultList;

// The usual face of a search page: a row with a caption, the keyword box,
// the page box with its spinner and the start button, and the result list
// under it. Every part is optional but the list.
struct SearchPanelParts
{
    QString caption = QStringLiteral("关键字：");
    QString keywordBox = {};   // objectName, e.g. "Text2"; none when empty
    QString pageBox = {};      // e.g. "Text4"; none when empty
    QString spinner = {};      // e.g. "HScroll2"
    QString startButton = {};  // e.g. "Command1"; none when empty
    QString startCaption = {};
    QString list = {};         // e.g. "ListView2"
};

struct SearchPanel
{
    QHBoxLayout *row = nullptr; // for a reader's further controls
    QLineEdit *keyword = nullptr;
    QLineEdit *pageBox = nullptr;
    QPushButton *start = nullptr;
    ResultList *list = nullptr;
};

// Builds the panel on `page`, which gets its layout from it.
SearchPanel buildSearchPanel(QWidget *page, const SearchPanelParts &parts);
