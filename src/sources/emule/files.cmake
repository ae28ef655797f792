# Files of src/sources/emule (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/emule/ed2ksearchparser.cpp
    sources/emule/emuleheadless.cpp
    sources/emule/emuleparser.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    sources/emule/ed2klinkextractor.cpp
    sources/emule/ed2ksearchreader.cpp
    sources/emule/emulecategoryreader.cpp
    sources/emule/emulesearchreader.cpp
)
