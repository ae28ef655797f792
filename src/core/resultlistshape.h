#pragma once

#include <QList>
#include <QString>

// The fixed shape of one result list: its keyed columns and its right-click
// menu. The catalog (resultlistcatalog.h) holds the program's 19.
struct ResultColumn
{
    QString key;
    QString caption;
    int twips = 0; // 15 twips to a pixel; 0 hides the column
};

struct ResultMenuItem
{
    enum class Kind {
        Custom,   // wired by the reader that owns the list
        CopyCell, // copy `subitem` to the clipboard, then report `message`
        OpenCell, // open `subitem` in the default browser
    };
    QString name;    // the action's objectName, e.g. "fz"
    QString caption; // e.g. "复制链接"
    Kind kind = Kind::Custom;
    int subitem = 0;
    QString message;
};

struct ResultListShape
{
    QString name; // objectName, e.g. "ListView1"
    QList<ResultColumn> columns; // column 0 is the item text
    QString menuName;            // objectName of the menu, e.g. "menu"; empty: no menu
    QString menuCaption;         // e.g. "程序菜单"
    QList<ResultMenuItem> menuItems;
};
