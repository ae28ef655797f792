# Files of src/sources/netdisk (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/netdisk/netdiskheadless.cpp
    sources/netdisk/netdiskparser.cpp
)
list(APPEND JYX_WIDGET_SOURCES sources/netdisk/netdiskreader.cpp)
