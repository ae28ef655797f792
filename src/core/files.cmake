# Files of src/core (see src/CMakeLists.txt).
list(APPEND JYX_CORE_SOURCES
    core/bodydecoder.cpp
    core/inidocument.cpp
    core/markerscan.cpp
    core/pagefetcher.cpp
    core/processcontrol.cpp
    core/procfsprocesscontrol.cpp
    core/readertimer.cpp
    core/siteconfig.cpp
    core/texttools.cpp
)
list(APPEND JYX_WIDGET_SOURCES
    core/dialogs.cpp
    core/listexport.cpp
    core/pagecontrols.cpp
    core/pictureloader.cpp
    core/readercontext.cpp
    core/resultlist.cpp
    core/resultlistcatalog.cpp
    core/rowactions.cpp
    core/urlopener.cpp
)
