#include "core/announcementfile.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace {

// The field's value: the piece cut before its "|" terminator.
QString field(const MarkerPieces &pieces, int k)
{
    return removeAll(cutBefore(pieces.piece(k), u"|"), u"|");
}

} // namespace

AnnouncementFile::AnnouncementFile(const QString &text)
    : m_titles(text, u"title:"_s)
    , m_urls(text, u"url:"_s)
    , m_colors(text, u"color:"_s)
{
}

int AnnouncementFile::size() const
{
    const qsizetype entries = std::min({m_titles.size(), m_urls.size(), m_colors.size()}) - 1;
    return int(std::clamp<qsizetype>(entries, 0, 32767));
}

Announcement AnnouncementFile::entry(int k) const
{
    return {field(m_titles, k), field(m_urls, k).trimmed(), field(m_colors, k).trimmed()};
}

int AnnouncementFile::next(int current, int count)
{
    if (count <= 0)
        return 0;
    return current >= count || current < 0 ? 1 : current + 1;
}

Qt::GlobalColor AnnouncementFile::colour(const QString &word)
{
    if (word == u"red"_s)
        return Qt::red;
    if (word == u"blue"_s)
        return Qt::blue;
    if (word == u"green"_s)
        return Qt::green;
    return Qt::black;
}
