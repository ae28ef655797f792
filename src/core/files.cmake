# Files of src/core: no widgets (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    core/announcementfile.cpp
    core/bodydecoder.cpp
    core/ed2klink.cpp
    core/fetchoutcome.cpp
    core/inidocument.cpp
    core/markerscan.cpp
    core/pagefetcher.cpp
    core/processcontrol.cpp
    core/procfsprocesscontrol.cpp
    core/qvodaddresses.cpp
    core/readertimer.cpp
    core/siteconfig.cpp
    core/sourcefetch.cpp
    core/sitestatus.cpp
    core/sitestatusboard.cpp
    core/texttools.cpp
)
