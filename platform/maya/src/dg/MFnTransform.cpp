#include <maya/MFnTransform.h>

#include "dg/BuiltinTypes.h"
#include "dg/Node.h"

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

MVector readVector(const MFnTransform& fn, const char* x, const char* y, const char* z,
                   MStatus* status) {
    MStatus found;
    const MPlug px = fn.findPlug(x, &found);
    report(status, found);
    if (!found)
        return MVector();
    return MVector(px.asDouble(), fn.findPlug(y).asDouble(), fn.findPlug(z).asDouble());
}

MStatus writeVector(MFnTransform& fn, const char* x, const char* y, const char* z,
                    const MVector& value) {
    MStatus status;
    MPlug px = fn.findPlug(x, &status);
    if (!status)
        return status;
    px.setValue(value.x);
    fn.findPlug(y).setValue(value.y);
    fn.findPlug(z).setValue(value.z);
    return MStatus::kSuccess;
}

MTransformationMatrix::RotationOrder transformOrder(short eulerOrder) {
    return static_cast<MTransformationMatrix::RotationOrder>(eulerOrder + 1);
}

}  // namespace

MObject MFnTransform::create(MObject parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("transform", parent, ReturnStatus);
}

MTransformationMatrix MFnTransform::transformation(MStatus* ReturnStatus) const {
    MStatus status;
    const MVector t = readVector(*this, "tx", "ty", "tz", &status);
    report(ReturnStatus, status);
    MTransformationMatrix xform;
    if (!status)
        return xform;
    const MVector r = readVector(*this, "rx", "ry", "rz", nullptr);
    const MVector s = readVector(*this, "sx", "sy", "sz", nullptr);
    const MVector sh = readVector(*this, "shxy", "shxz", "shyz", nullptr);
    const MVector ra = readVector(*this, "rax", "ray", "raz", nullptr);
    const double rotation[3] = {r.x, r.y, r.z};
    const double scale[3] = {s.x, s.y, s.z};
    const double shear[3] = {sh.x, sh.y, sh.z};
    xform.setScalePivot(MPoint(readVector(*this, "spx", "spy", "spz", nullptr)), MSpace::kTransform,
                        false);
    xform.setScalePivotTranslation(readVector(*this, "sptx", "spty", "sptz", nullptr),
                                   MSpace::kTransform);
    xform.setRotatePivot(MPoint(readVector(*this, "rpx", "rpy", "rpz", nullptr)),
                         MSpace::kTransform, false);
    xform.setRotatePivotTranslation(readVector(*this, "rptx", "rpty", "rptz", nullptr),
                                    MSpace::kTransform);
    xform.setScale(scale, MSpace::kTransform);
    xform.setShear(shear, MSpace::kTransform);
    xform.setRotationOrientation(MEulerRotation(ra.x, ra.y, ra.z).asQuaternion());
    xform.setRotation(rotation, transformOrder(findPlug("ro").asShort()));
    xform.setTranslation(t, MSpace::kTransform);
    return xform;
}

MStatus MFnTransform::set(const MTransformationMatrix& transform) {
    if (object_.isNull())
        return MStatus::kFailure;
    double scale[3];
    double shear[3];
    double rotation[3];
    MTransformationMatrix::RotationOrder order;
    transform.getScale(scale, MSpace::kTransform);
    transform.getShear(shear, MSpace::kTransform);
    transform.getRotation(rotation, order);
    writeVector(*this, "tx", "ty", "tz", transform.getTranslation(MSpace::kTransform));
    writeVector(*this, "rx", "ry", "rz", MVector(rotation[0], rotation[1], rotation[2]));
    writeVector(*this, "sx", "sy", "sz", MVector(scale[0], scale[1], scale[2]));
    writeVector(*this, "shxy", "shxz", "shyz", MVector(shear[0], shear[1], shear[2]));
    findPlug("ro").setValue(static_cast<short>(order - 1));
    writeVector(*this, "rpx", "rpy", "rpz", MVector(transform.rotatePivot(MSpace::kTransform)));
    writeVector(*this, "rptx", "rpty", "rptz",
                transform.rotatePivotTranslation(MSpace::kTransform));
    writeVector(*this, "spx", "spy", "spz", MVector(transform.scalePivot(MSpace::kTransform)));
    writeVector(*this, "sptx", "spty", "sptz", transform.scalePivotTranslation(MSpace::kTransform));
    const MEulerRotation axis = transform.rotationOrientation().asEulerRotation();
    writeVector(*this, "rax", "ray", "raz", MVector(axis.x, axis.y, axis.z));
    return MStatus::kSuccess;
}

MStatus MFnTransform::getScale(double scale[3]) const {
    MStatus status;
    const MVector s = readVector(*this, "sx", "sy", "sz", &status);
    scale[0] = s.x;
    scale[1] = s.y;
    scale[2] = s.z;
    return status;
}

MStatus MFnTransform::setScale(const double scale[3]) {
    return writeVector(*this, "sx", "sy", "sz", MVector(scale[0], scale[1], scale[2]));
}

MStatus MFnTransform::scaleBy(const double scale[3]) {
    double current[3];
    const MStatus status = getScale(current);
    if (!status)
        return status;
    const double scaled[3] = {current[0] * scale[0], current[1] * scale[1], current[2] * scale[2]};
    return setScale(scaled);
}

MStatus MFnTransform::getShear(double shear[3]) const {
    MStatus status;
    const MVector s = readVector(*this, "shxy", "shxz", "shyz", &status);
    shear[0] = s.x;
    shear[1] = s.y;
    shear[2] = s.z;
    return status;
}

MStatus MFnTransform::setShear(const double shear[3]) {
    return writeVector(*this, "shxy", "shxz", "shyz", MVector(shear[0], shear[1], shear[2]));
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
    MStatus status;
    const MVector r = readVector(*this, "rx", "ry", "rz", &status);
    if (!status)
        return status;
    rotation = MEulerRotation(r.x, r.y, r.z,
                              static_cast<MEulerRotation::RotationOrder>(findPlug("ro").asShort()));
    return MStatus::kSuccess;
}

MStatus MFnTransform::setRotation(const MEulerRotation& rotation) {
    MStatus status;
    MPlug order = findPlug("ro", &status);
    if (!status)
        return status;
    order.setValue(static_cast<short>(rotation.order));
    return writeVector(*this, "rx", "ry", "rz", MVector(rotation.x, rotation.y, rotation.z));
}

MStatus MFnTransform::getRotation(MQuaternion& quaternion, MSpace::Space space) const {
    MEulerRotation euler;
    const MStatus status = getRotation(euler);
    if (!status)
        return status;
    quaternion = euler.asQuaternion();
    if (space == MSpace::kWorld) {
        const MMatrix parent = dagPath().exclusiveMatrix();
        quaternion = MTransformationMatrix(euler.asMatrix() * parent).rotation();
    }
    return MStatus::kSuccess;
}

MStatus MFnTransform::setRotation(const MQuaternion& quaternion, MSpace::Space space) {
    MEulerRotation current;
    const MStatus status = getRotation(current);
    if (!status)
        return status;
    MQuaternion local = quaternion;
    if (space == MSpace::kWorld) {
        const MMatrix parentInverse = dagPath().exclusiveMatrixInverse();
        local = MTransformationMatrix(quaternion.asMatrix() * parentInverse).rotation();
    }
    MEulerRotation euler = local.asEulerRotation();
    euler.reorderIt(current.order);
    return writeVector(*this, "rx", "ry", "rz", MVector(euler.x, euler.y, euler.z));
}

MStatus MFnTransform::rotateBy(const MQuaternion& quaternion, MSpace::Space space) {
    MQuaternion current;
    const MStatus status = getRotation(current, space);
    if (!status)
        return status;
    return setRotation(current * quaternion, space);
}

MStatus MFnTransform::rotateBy(const MEulerRotation& rotation, MSpace::Space space) {
    return rotateBy(rotation.asQuaternion(), space);
}

MStatus MFnTransform::getRotation(double rotation[3],
                                  MTransformationMatrix::RotationOrder& order) const {
    MEulerRotation euler;
    const MStatus status = getRotation(euler);
    rotation[0] = euler.x;
    rotation[1] = euler.y;
    rotation[2] = euler.z;
    order = transformOrder(static_cast<short>(euler.order));
    return status;
}

MStatus MFnTransform::setRotation(const double rotation[3],
                                  MTransformationMatrix::RotationOrder order) {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast) {
        return MStatus::kInvalidParameter;
    }
    return setRotation(MEulerRotation(rotation[0], rotation[1], rotation[2],
                                      static_cast<MEulerRotation::RotationOrder>(order - 1)));
}

MStatus MFnTransform::getRotationQuaternion(double& x, double& y, double& z, double& w,
                                            MSpace::Space space) const {
    MQuaternion q;
    const MStatus status = getRotation(q, space);
    x = q.x;
    y = q.y;
    z = q.z;
    w = q.w;
    return status;
}

MStatus MFnTransform::setRotationQuaternion(double x, double y, double z, double w,
                                            MSpace::Space space) {
    return setRotation(MQuaternion(x, y, z, w), space);
}

MTransformationMatrix::RotationOrder MFnTransform::rotationOrder(MStatus* ReturnStatus) const {
    MStatus status;
    const MPlug order = findPlug("ro", &status);
    report(ReturnStatus, status);
    return status ? transformOrder(order.asShort()) : MTransformationMatrix::kInvalid;
}

MStatus MFnTransform::setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder) {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast) {
        return MStatus::kInvalidParameter;
    }
    MEulerRotation rotation;
    const MStatus status = getRotation(rotation);
    if (!status)
        return status;
    const auto eulerOrder = static_cast<MEulerRotation::RotationOrder>(order - 1);
    if (reorder) {
        rotation.reorderIt(eulerOrder);
    } else {
        rotation.order = eulerOrder;
    }
    return setRotation(rotation);
}

MVector MFnTransform::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    const MVector local = readVector(*this, "tx", "ty", "tz", ReturnStatus);
    if (space != MSpace::kWorld)
        return local;
    const MMatrix world = dagPath().inclusiveMatrix();
    return MVector(world[3][0], world[3][1], world[3][2]);
}

MStatus MFnTransform::setTranslation(const MVector& vec, MSpace::Space space) {
    if (space != MSpace::kWorld)
        return writeVector(*this, "tx", "ty", "tz", vec);
    const MVector current = getTranslation(MSpace::kWorld);
    return translateBy(vec - current, MSpace::kWorld);
}

MStatus MFnTransform::translateBy(const MVector& vec, MSpace::Space space) {
    MVector delta = vec;
    if (space == MSpace::kWorld) {
        // A world offset, as the parent sees it.
        delta = vec * dagPath().exclusiveMatrixInverse();
    }
    MStatus status;
    const MVector current = readVector(*this, "tx", "ty", "tz", &status);
    return status ? writeVector(*this, "tx", "ty", "tz", current + delta) : status;
}

MPoint MFnTransform::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    MPoint pivot(readVector(*this, "rpx", "rpy", "rpz", ReturnStatus));
    if (space == MSpace::kWorld)
        pivot = pivot * dagPath().inclusiveMatrix();
    return pivot;
}

MStatus MFnTransform::setRotatePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MPoint local = point;
    if (space == MSpace::kWorld)
        local = point * dagPath().inclusiveMatrixInverse();
    const MMatrix before = mayasim::localMatrix(*mayasim::nodeOf(object_));
    const MStatus status = writeVector(*this, "rpx", "rpy", "rpz", MVector(local));
    if (!status || !balance)
        return status;
    // Keep the object where it was: compensate through the rotate pivot translation.
    const MMatrix after = mayasim::localMatrix(*mayasim::nodeOf(object_));
    const MPoint drift = MPoint() * before - MPoint() * after;
    return writeVector(*this, "rptx", "rpty", "rptz",
                       rotatePivotTranslation(MSpace::kTransform) + MVector(drift));
}

MVector MFnTransform::rotatePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    return readVector(*this, "rptx", "rpty", "rptz", ReturnStatus);
}

MStatus MFnTransform::setRotatePivotTranslation(const MVector& vec, MSpace::Space) {
    return writeVector(*this, "rptx", "rpty", "rptz", vec);
}

MPoint MFnTransform::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    MPoint pivot(readVector(*this, "spx", "spy", "spz", ReturnStatus));
    if (space == MSpace::kWorld)
        pivot = pivot * dagPath().inclusiveMatrix();
    return pivot;
}

MStatus MFnTransform::setScalePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MPoint local = point;
    if (space == MSpace::kWorld)
        local = point * dagPath().inclusiveMatrixInverse();
    const MMatrix before = mayasim::localMatrix(*mayasim::nodeOf(object_));
    const MStatus status = writeVector(*this, "spx", "spy", "spz", MVector(local));
    if (!status || !balance)
        return status;
    const MMatrix after = mayasim::localMatrix(*mayasim::nodeOf(object_));
    const MPoint drift = MPoint() * before - MPoint() * after;
    return writeVector(*this, "sptx", "spty", "sptz",
                       scalePivotTranslation(MSpace::kTransform) + MVector(drift));
}

MVector MFnTransform::scalePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    return readVector(*this, "sptx", "spty", "sptz", ReturnStatus);
}

MStatus MFnTransform::setScalePivotTranslation(const MVector& vec, MSpace::Space) {
    return writeVector(*this, "sptx", "spty", "sptz", vec);
}

MQuaternion MFnTransform::rotateOrientation(MSpace::Space, MStatus* ReturnStatus) const {
    const MVector ra = readVector(*this, "rax", "ray", "raz", ReturnStatus);
    return MEulerRotation(ra.x, ra.y, ra.z).asQuaternion();
}

MStatus MFnTransform::setRotateOrientation(const MQuaternion& quat, MSpace::Space, bool) {
    const MEulerRotation axis = quat.asEulerRotation();
    return writeVector(*this, "rax", "ray", "raz", MVector(axis.x, axis.y, axis.z));
}
