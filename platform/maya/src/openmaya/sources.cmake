# Commands, MEL, MGlobal, plug-in loading.
list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/placeholder.cpp")
