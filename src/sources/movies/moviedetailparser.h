#pragma once

#include <QString>

// Pure reading of a BT board post as the movie detail window shows it.
// Two layouts: B holds "◎译　　名" (ideographic spaces), A is every other
// page, its data block starting "<br />片名:".

struct MovieDetail
{
    QString posterAddress;
    QString filmData; // lines separated by CR LF CR LF
    QString synopsis;
    QString link1;
    QString link2; // always starts "http://"

    // A post whose data block is empty (nothing but its "片名:" label).
    bool isReadable() const;
};

MovieDetail parseMovieDetail(const QString &page);
