# Files of src/core: no widgets (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    core/addresstemplate.cpp
    core/announcementfile.cpp
    core/bodydecoder.cpp
    core/definedsource.cpp
    core/definitioncatalog.cpp
    core/definitionloader.cpp
    core/definitionproblem.cpp
    core/definitionrows.cpp
    core/ed2klink.cpp
    core/fetchoutcome.cpp
    core/fetchscope.cpp
    core/inidocument.cpp
    core/listrow.cpp
    core/markerscan.cpp
    core/pagefetcher.cpp
    core/processcontrol.cpp
    core/procfsprocesscontrol.cpp
    core/qvodaddresses.cpp
    core/readertimer.cpp
    core/siteconfig.cpp
    core/sitedefinition.cpp
    core/sourcefetch.cpp
    core/sitestatus.cpp
    core/sitestatusboard.cpp
    core/texttools.cpp
)
