# Files of src/sources/movies (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    sources/movies/moviedetailparser.cpp
    sources/movies/movieheadless.cpp
    sources/movies/movielistingparser.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    sources/movies/moviedetailreader.cpp
    sources/movies/movielistingreader.cpp
)
