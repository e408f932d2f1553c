# Dependency graph, DAG, function sets, selection and the host's scene commands.
foreach(source
        MObject TypeNames Attribute Node NodeClass Graph BuiltinTypes MeshGeometry DataObjects
        Component ComponentNames ShapeComponents MeshComponents CameraProjection Scene
        MPxNode MFnBase MFnAttribute MFnComponent MDataBlock MDataHandle MPlug
        MFnDependencyNode MDagPath MFnDagNode MFnTransform MFnCamera MFnMesh MItGeometry
        MSelectionList MItDag MDGModifier
        SceneCommand NodeCommands AttributeCommands TransformCommands MoveCommands
        SelectionCommands SceneQuery)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
# NURBS curves and surfaces, skeletons and emitters around the geometry kernel.
foreach(source
        NodeTypeMaking NurbsNodes NurbsComponents SkeletonNodes CommandHelpers NurbsCommands
        SkeletonCommands MFnNurbsCurve MFnNurbsSurface MItCurveCV MItSurfaceCV MFnIkJoint
        MFnIkHandle MFnIkEffector)
    list(APPEND VX_MAYA_OPENMAYA_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
