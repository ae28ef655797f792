#pragma once

#include "core/listrow.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <QStringView>

// Pure reading of the eMule resource site: its listing pages (the seven
// categories and the site search share the item markup) and the ed2k link
// of a detail page.

struct EmuleItem
{
    QString name;
    QString note;
    QString detailAddress;
};

// The seven category paths, in the order of their button groups.
const QStringList &emuleCategoryPaths();

// Base + category path + page number, e.g. "<base>/emule/movie/1".
QString emuleCategoryAddress(const QString &siteBase, const QString &categoryPath, qint64 page);
// Base + "/emule/search/" + encoded keyword + "/" + page box text.
QString emuleSearchAddress(const QString &siteBase, const QString &encodedKeyword, const QString &pageText);

// The search page that says nothing matched ("没能为您找到").
bool isEmuleSearchEmpty(const QString &body);
// Item (thumb) markers on a listing page.
qsizetype countEmuleItems(const QString &body);

// One item's fields from its piece of the page. A field whose markers are
// missing is empty; an anchor that is not site-relative gives no address.
EmuleItem parseEmuleItem(QStringView item, const QString &siteBase);
// Items 1 .. min(maxItems, items on the page): a slot without an item adds
// nothing, and neither does an item from which nothing can be cut.
QList<EmuleItem> parseEmuleListing(const QString &body, const QString &siteBase, qsizetype maxItems);

// Item `number` (1-based) as the category lists and the site search list it.
ListRow emuleListRow(const EmuleItem &item, qsizetype number);
