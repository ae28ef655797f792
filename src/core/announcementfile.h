#pragma once

#include "core/markerscan.h"

#include <QString>

// One entry of the maker's announcement file.
struct Announcement
{
    QString title; // shown as is, spaces kept
    QString url;   // trimmed
    QString color; // trimmed colour word
};

// The announcement file: fields written as "title:" value "|", "url:" value
// "|", "color:" value "|"; entry k is made of the k-th occurrence of each
// field name. Each field marker is split once.
class AnnouncementFile
{
public:
    explicit AnnouncementFile(const QString &text);

    // Entries that have all three fields (0 for an empty or garbled file).
    int size() const;
    // Entry k, 1-based; k must be within 1..size().
    Announcement entry(int k) const;

    // The entry number after `current` when cycling through `count` entries
    // (1 after the last, and 1 after 0 at start).
    static int next(int current, int count);
    // "red", "blue", "green" pick their colour; any other word is black.
    static Qt::GlobalColor colour(const QString &word);

private:
    MarkerPieces m_titles;
    MarkerPieces m_urls;
    MarkerPieces m_colors;
};
