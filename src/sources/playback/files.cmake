# Files of src/sources/playback (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/playback/cloudondemand.cpp
    sources/playback/livetvchannels.cpp
    sources/playback/playbackheadless.cpp
    sources/playback/playerstates.cpp
    sources/playback/portalpages.cpp
    sources/playback/qvodchannelparser.cpp
    sources/playback/qvodsearchdetailparser.cpp
    sources/playback/qvodsearchparser.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    sources/playback/cloudondemandreader.cpp
    sources/playback/livetvarea.cpp
    sources/playback/mediabackend.cpp
    sources/playback/playerarea.cpp
    sources/playback/qtmediabackend.cpp
    sources/playback/qvodchannelreader.cpp
    sources/playback/qvodsearchreader.cpp
    sources/playback/termscheck.cpp
)
