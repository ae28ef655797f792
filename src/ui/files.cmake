# Files of src/ui: the widget building blocks every reader and window uses
# (see src/CMakeLists.txt).
list(APPEND JYX_WIDGET_SOURCES
    ui/allsearchcsv.cpp
    ui/allsearchfiltermodel.cpp
    ui/allsearchmodel.cpp
    ui/audiooutputguard.cpp
    ui/clicklabel.cpp
    ui/dialogs.cpp
    ui/listdoubleclick.cpp
    ui/listexport.cpp
    ui/orderedfetch.cpp
    ui/pagecontrols.cpp
    ui/playbackfeeds.cpp
    ui/pictureloader.cpp
    ui/readercontext.cpp
    ui/resultlist.cpp
    ui/resultlistcatalog.cpp
    ui/rowactions.cpp
    ui/searchpanel.cpp
    ui/searchrun.cpp
    ui/urlopener.cpp
)
