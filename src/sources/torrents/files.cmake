# Files of src/sources/torrents (see src/CMakeLists.txt).
