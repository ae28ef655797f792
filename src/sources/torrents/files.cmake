# Files of src/sources/torrents (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/torrents/btboardparser.cpp
    sources/torrents/btmovieparser.cpp
    sources/torrents/magnetsitesparser.cpp
    sources/torrents/movieresourceparser.cpp
    sources/torrents/piececuts.cpp
    sources/torrents/rssfeedparser.cpp
    sources/torrents/torrentfilesaver.cpp
    sources/torrents/torrentheadless.cpp
    sources/torrents/torrentsearchparser.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    sources/torrents/btboardreader.cpp
    sources/torrents/btmoviereader.cpp
    sources/torrents/furthertorrentreader.cpp
    sources/torrents/movieresourcereader.cpp
    sources/torrents/rssfeedreader.cpp
    sources/torrents/sourcebuttongroup.cpp
    sources/torrents/torrentsearchreader.cpp
)
