#include "shell/sourcetable.h"

#include "sources/emule/emuleheadless.h"
#include "sources/movies/movieheadless.h"
#include "sources/netdisk/netdiskheadless.h"
#include "sources/playback/playbackheadless.h"
#include "sources/torrents/torrentheadless.h"
#include "ui/resultlistcatalog.h"

const QList<HeadlessSource> &headlessSources()
{
    static const QList<HeadlessSource> sources = [] {
        QList<HeadlessSource> all;
        all += netdiskHeadlessSources();
        all += torrentHeadlessSources();
        all += emuleHeadlessSources();
        all += movieHeadlessSources();
        all += playbackHeadlessSources();
        return all;
    }();
    return sources;
}

const HeadlessSource *findHeadlessSource(const QString &name)
{
    for (const HeadlessSource &source : headlessSources()) {
        if (source.name == name)
            return &source;
    }
    return nullptr;
}

QStringList headlessFields(const HeadlessSource &source)
{
    QStringList fields;
    if (const ResultListShape *shape = findResultListShape(source.list)) {
        for (const ResultColumn &column : shape->columns)
            fields.append(column.key);
    }
    return fields;
}
