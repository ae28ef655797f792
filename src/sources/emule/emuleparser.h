#pragma once

#include "core/listrow.h"

#include <QList>
#include <QStringList>
#include <QString>
#include <QStringView>

struct SiteDefinition;

// The eMule resource site's listing pages (the seven categories and the
// site search share the item markup), read with the markers of their
// definitions ("emule-category", "emule-search").

struct EmuleItem
{
    QString name;
    QString note;
    QString detailAddress;
};

// The seven categories, in the order of their button groups; each names
// its listing address in the "emule-category" definition.
const QStringList &emuleCategoryNames();

// The listing of category `index` (0 .. 6) at `page`.
QString emuleCategoryAddress(const SiteDefinition &definition, const QString &siteBase, int index, qint64 page);
// The site search; the page box text goes in unchanged.
QString emuleSearchAddress(const SiteDefinition &definition, const QString &siteBase, const QString &encodedKeyword,
                           const QString &pageText);

// The search page that says nothing matched (the not_found marker).
bool isEmuleSearchEmpty(const SiteDefinition &definition, const QString &body);
// Item (thumb) markers on a listing page.
qsizetype countEmuleItems(const SiteDefinition &definition, const QString &body);

// One item's fields from its piece of the page. A field whose markers are
// missing is empty; an anchor that is not site-relative gives no address.
EmuleItem parseEmuleItem(const SiteDefinition &definition, QStringView item, const QString &siteBase);
// Items 1 .. min(maxItems, items on the page): a slot without an item adds
// nothing, and neither does an item from which nothing can be cut.
QList<EmuleItem> parseEmuleListing(const SiteDefinition &definition, const QString &body, const QString &siteBase,
                                   qsizetype maxItems);

// Item `number` (1-based) as the category lists and the site search list it.
ListRow emuleListRow(const EmuleItem &item, qsizetype number);
