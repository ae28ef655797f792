#include "shell/allsearchsources.h"

#include "shell/sourcetable.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace {

const QHash<QString, SourceTab> &sourceTabs()
{
    static const QHash<QString, SourceTab> tabs = {
        {u"netdisk"_s, {{{u"SSTab1"_s, 0}}, u"Text1"_s, u"Command1"_s, u"Text3"_s}},
        {u"torrent"_s, {{{u"SSTab1"_s, 1}, {u"SSTab2"_s, 0}}, u"Text2"_s, u"Command2_0"_s, u"Text4"_s}},
        {u"rss"_s, {{{u"SSTab1"_s, 1}, {u"SSTab2"_s, 1}}, u"Text8"_s, u"Command2_1"_s}},
        {u"magnet"_s, {{{u"SSTab1"_s, 1}, {u"SSTab2"_s, 2}}, u"Text21"_s, u"Command6"_s, {}, u"Combo1"_s, 0}},
        {u"release"_s, {{{u"SSTab1"_s, 1}, {u"SSTab2"_s, 2}}, u"Text21"_s, u"Command6"_s, {}, u"Combo1"_s, 1}},
        {u"movie-resource"_s, {{{u"SSTab1"_s, 1}, {u"SSTab2"_s, 3}}, u"Text13"_s, u"Command2_2"_s, u"Text14"_s}},
        {u"ed2k"_s, {{{u"SSTab1"_s, 5}, {u"SSTab4"_s, 1}}, u"Text19"_s, u"Command38_4"_s, u"Text20"_s}},
        {u"emule-search"_s, {{{u"SSTab1"_s, 2}, {u"SSTab5"_s, 1}}, u"Text16"_s, u"Command38_3"_s, u"Text17"_s}},
        {u"qvod-search"_s, {{{u"SSTab1"_s, 6}, {u"SSTab3"_s, 1}}, u"Text15"_s, u"Command53_10"_s}},
    };
    return tabs;
}

// The keyword sources among the built-ins, in tab order; the category
// lists, the board and the channels take no keyword.
const QStringList &keywordSourceNames()
{
    static const QStringList names = {u"netdisk"_s, u"torrent"_s,        u"rss"_s,
                                      u"magnet"_s,  u"release"_s,        u"movie-resource"_s,
                                      u"ed2k"_s,    u"emule-search"_s,   u"qvod-search"_s};
    return names;
}

} // namespace

QList<HeadlessSource> allSearchSources(const DefinitionCatalog &definitions)
{
    QList<HeadlessSource> asked;
    for (const QString &name : keywordSourceNames()) {
        if (const HeadlessSource *source = findHeadlessSource(name))
            asked.append(*source);
    }
    const QList<HeadlessSource> all = headlessSources(definitions);
    for (const HeadlessSource &source : all) {
        if (!findHeadlessSource(source.name))
            asked.append(source);
    }
    return asked;
}

std::optional<SourceTab> sourceTab(const QString &source)
{
    const auto found = sourceTabs().constFind(source);
    if (found == sourceTabs().cend())
        return std::nullopt;
    return *found;
}
