#include <maya/MFnIkEffector.h>

MObject MFnIkEffector::create(MObject parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("ikEffector", parent, ReturnStatus);
}
