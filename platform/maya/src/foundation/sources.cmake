# Strings, status and plain arrays.
foreach(source MStatus MString MStringArray MIntArray MUintArray MDoubleArray MFloatArray)
    list(APPEND VX_MAYA_FOUNDATION_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
