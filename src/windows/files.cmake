# Files of src/windows (see src/CMakeLists.txt).
list(APPEND JYX_WIDGET_SOURCES
    windows/browserview.cpp
    windows/cloudplayerwindow.cpp
    windows/faqwindow.cpp
    windows/festivewindow.cpp
    windows/moviedetailwindow.cpp
    windows/portalwindow.cpp
    windows/silentpage.cpp
    windows/sitestatuswindow.cpp
)
