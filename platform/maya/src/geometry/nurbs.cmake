# NURBS curves and surfaces, their primitives, and skeleton maths: plain data and algorithms
# that the host's curve, surface and joint nodes and function sets wrap. Built as its own
# position-independent static library, linked into OpenMaya by whoever wraps it.
add_library(vx_geometry_nurbs STATIC
    "${CMAKE_CURRENT_LIST_DIR}/NurbsBasis.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsCurve.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsCurveCreate.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsEditPoints.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsInterpolation.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsPrimitives.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsSurface.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/NurbsSurfaceLocator.cpp"
    "${CMAKE_CURRENT_LIST_DIR}/Skeleton.cpp")
set_target_properties(vx_geometry_nurbs PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_include_directories(vx_geometry_nurbs PUBLIC "${CMAKE_CURRENT_LIST_DIR}")
target_link_libraries(vx_geometry_nurbs PUBLIC Foundation PRIVATE vx_warnings)
