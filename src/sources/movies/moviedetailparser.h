#pragma once

#include <QString>

struct SiteDefinition;

// A BT board post as the movie detail window shows it, read with the
// markers of the definition "movie-detail". Two layouts: B holds the
// translated-title heading, A is every other post, its data block opening
// after a line break with the title label.

struct MovieDetail
{
    QString posterAddress;
    QString filmData; // lines separated by CR LF CR LF
    QString synopsis;
    QString link1;
    QString link2; // always starts "http://"

    // A post whose data block is empty (nothing but its title label).
    bool isReadable() const;

    bool readable = false;
};

MovieDetail parseMovieDetail(const SiteDefinition &definition, const QString &page);
