# Files of src/sources/playback (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/playback/livetvchannels.cpp
    sources/playback/portalpages.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    sources/playback/livetvarea.cpp
)
