# Files of src/windows (see src/CMakeLists.txt).
