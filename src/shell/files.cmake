# Files of src/shell (see src/CMakeLists.txt).
list(APPEND JYX_WIDGET_SOURCES
    shell/commandline.cpp
    shell/mainwindow.cpp
)
