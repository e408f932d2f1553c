# Strings, status and plain arrays.
list(APPEND VX_MAYA_FOUNDATION_SOURCES "${CMAKE_CURRENT_LIST_DIR}/placeholder.cpp")
