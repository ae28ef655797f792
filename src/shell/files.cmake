# Files of src/shell (see src/CMakeLists.txt).
list(APPEND JYX_WIDGET_SOURCES
    shell/allsearchpage.cpp
    shell/allsearchsources.cpp
    shell/browserclosetimer.cpp
    shell/commandhelp.cpp
    shell/commandline.cpp
    shell/commandoptions.cpp
    shell/escapedtext.cpp
    shell/exitflow.cpp
    shell/headlesscommand.cpp
    shell/mainwindow.cpp
    shell/readertable.cpp
    shell/mediaplayer.cpp
    shell/settingsfile.cpp
    shell/sitecheck.cpp
    shell/sitesfile.cpp
    shell/sourcetable.cpp
    shell/settingswindow.cpp
    shell/termsofuse.cpp
    shell/updatecheck.cpp
    shell/windowshell.cpp
)
