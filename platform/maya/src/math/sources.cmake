# Points, vectors, matrices, rotations, units and their arrays.
foreach(source MPoint MFloatPoint MVector MFloatVector MMatrix MFloatMatrix MQuaternion
               MEulerRotation MTransformationMatrix MBoundingBox MAngle MDistance MColor MTime
               MTypeId MPointArray MFloatPointArray MVectorArray MFloatVectorArray)
    list(APPEND VX_MAYA_FOUNDATION_SOURCES "${CMAKE_CURRENT_LIST_DIR}/${source}.cpp")
endforeach()
