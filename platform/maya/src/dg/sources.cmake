# Dependency graph, DAG, function sets, selection and the host's scene commands.
foreach(source
        MObject TypeNames Attribute Node NodeClass Graph BuiltinTypes
        Component ComponentNames ShapeComponents MeshComponents CameraProjection Scene
        MPxNode MFnBase MFnAttribute MFnComponent MDataBlock MDataHandle MPlug
        MFnDependencyNode MDagPath MFnDagNode MFnTransform MFnCamera MItGeometry
        MSelectionList MItDag MDGModifier
        SceneCommand NodeCommands AttributeCommands TransformCommands MoveCommands
        SelectionCommands SceneQuery)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
# Polygon meshes: shapes, creators, function sets and iterators around the geometry kernel
# (its Embree queries come along).
foreach(source
        MeshAccess PolyCreators PolyCommands MFnMesh MItMeshVertex MItMeshEdge MItMeshPolygon)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
list(APPEND VX_MAYA_OPENMAYA_LIBS vx_geometry)
# NURBS curves and surfaces, skeletons and emitters around the geometry kernel.
foreach(source
        NodeTypeMaking NurbsNodes NurbsComponents SkeletonNodes CommandHelpers NurbsCommands
        SkeletonCommands MFnNurbsCurve MFnNurbsSurface MItCurveCV MItSurfaceCV MFnIkJoint
        MFnIkHandle MFnIkEffector)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
