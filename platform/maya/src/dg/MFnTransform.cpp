#include <maya/MFnTransform.h>

#include <maya/MMatrix.h>
#include <maya/MPlug.h>

#include <cmath>
#include <utility>
#include <vector>

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

// A transform channel: a compound attribute of three numbers.
struct Channel {
    const char* compound;
    const char* x;
    const char* y;
    const char* z;
};

constexpr Channel kTranslate{"t", "tx", "ty", "tz"};
constexpr Channel kRotate{"r", "rx", "ry", "rz"};
constexpr Channel kScale{"s", "sx", "sy", "sz"};
constexpr Channel kShear{"sh", "shxy", "shxz", "shyz"};
constexpr Channel kRotatePivot{"rp", "rpx", "rpy", "rpz"};
constexpr Channel kRotatePivotTranslate{"rpt", "rptx", "rpty", "rptz"};
constexpr Channel kScalePivot{"sp", "spx", "spy", "spz"};
constexpr Channel kScalePivotTranslate{"spt", "sptx", "spty", "sptz"};
constexpr Channel kRotateAxis{"ra", "rax", "ray", "raz"};

// Values that round-trip through a rotation or a matrix come back with noise in the last
// bits; a locked or driven number off by no more than this counts as unchanged.
constexpr double kUnchanged = 1.0e-12;

MVector read(const MFnTransform& fn, const Channel& channel, MStatus* status = nullptr) {
    MStatus found;
    const MPlug x = fn.findPlug(channel.x, &found);
    report(status, found);
    if (!found)
        return MVector();
    return MVector(x.asDouble(), fn.findPlug(channel.y).asDouble(),
                   fn.findPlug(channel.z).asDouble());
}

// Maya refuses to change a locked channel or one driven by a connection.
bool isFree(const MFnTransform& fn, const char* attribute) {
    const MPlug plug = fn.findPlug(attribute);
    return !plug.isNull() && !plug.isLocked() && !plug.isDestination();
}

// Only the numbers that change need be free: moving along x with y locked is fine.
bool isFree(const MFnTransform& fn, const Channel& channel, const MVector& from,
            const MVector& to) {
    const char* const parts[3] = {channel.x, channel.y, channel.z};
    for (unsigned int i = 0; i < 3; ++i) {
        if (std::abs(from[i] - to[i]) > kUnchanged && !isFree(fn, parts[i]))
            return false;
    }
    return isFree(fn, channel.compound);
}

MEulerRotation::RotationOrder eulerOrder(MTransformationMatrix::RotationOrder order) {
    return static_cast<MEulerRotation::RotationOrder>(order - 1);
}

MTransformationMatrix::RotationOrder matrixOrder(short eulerOrder) {
    return static_cast<MTransformationMatrix::RotationOrder>(eulerOrder + 1);
}

// The writes of one edit, applied all or nothing: when a channel that would change is locked
// or connected, nothing is written and the edit fails.
class ChannelEdit {
public:
    explicit ChannelEdit(MFnTransform& fn) : fn_(fn) {}

    void set(const Channel& channel, const MVector& value) {
        const MVector current = read(fn_, channel);
        if (current != value)
            writes_.push_back({&channel, current, value});
    }
    void setOrder(short order) {
        if (fn_.findPlug("ro").asShort() != order)
            order_ = order;
    }
    // Every channel of a transformation.
    void setAll(const MTransformationMatrix& xform) {
        double scale[3];
        double shear[3];
        double rotation[3];
        MTransformationMatrix::RotationOrder order;
        xform.getScale(scale, MSpace::kTransform);
        xform.getShear(shear, MSpace::kTransform);
        xform.getRotation(rotation, order);
        set(kTranslate, xform.getTranslation(MSpace::kTransform));
        set(kRotate, MVector(rotation));
        setOrder(static_cast<short>(eulerOrder(order)));
        set(kScale, MVector(scale));
        set(kShear, MVector(shear));
        set(kRotatePivot, MVector(xform.rotatePivot(MSpace::kTransform)));
        set(kRotatePivotTranslate, xform.rotatePivotTranslation(MSpace::kTransform));
        set(kScalePivot, MVector(xform.scalePivot(MSpace::kTransform)));
        set(kScalePivotTranslate, xform.scalePivotTranslation(MSpace::kTransform));
        set(kRotateAxis, xform.rotationOrientation().asEulerRotation().asVector());
    }

    MStatus apply() {
        if (fn_.object().isNull())
            return MStatus::kFailure;
        for (const Write& write : writes_) {
            if (!isFree(fn_, *write.channel, write.from, write.to))
                return MStatus::kFailure;
        }
        if (order_ >= 0 && !isFree(fn_, "ro"))
            return MStatus::kFailure;
        for (const Write& write : writes_) {
            const char* const parts[3] = {write.channel->x, write.channel->y, write.channel->z};
            for (unsigned int i = 0; i < 3; ++i) {
                if (write.from[i] != write.to[i] && isFree(fn_, parts[i]))
                    fn_.findPlug(parts[i]).setValue(write.to[i]);
            }
        }
        if (order_ >= 0)
            fn_.findPlug("ro").setValue(order_);
        return MStatus::kSuccess;
    }

private:
    struct Write {
        const Channel* channel;
        MVector from;
        MVector to;
    };
    MFnTransform& fn_;
    std::vector<Write> writes_;
    short order_ = -1;
};

MStatus applyTransformation(MFnTransform& fn, const MTransformationMatrix& xform) {
    ChannelEdit edit(fn);
    edit.setAll(xform);
    return edit.apply();
}

MStatus writeChannel(MFnTransform& fn, const Channel& channel, const MVector& value) {
    ChannelEdit edit(fn);
    edit.set(channel, value);
    return edit.apply();
}

// The rotation part of a matrix (scale and shear taken out).
MQuaternion rotationOf(const MMatrix& matrix) {
    return MTransformationMatrix(matrix).rotation();
}

// The rotate channel and the rotate axis: all a rotation edit reads.
struct Orientation {
    MEulerRotation rotation;
    MQuaternion axis;
};

Orientation orientationOf(const MFnTransform& fn, MStatus* status) {
    const MVector r = read(fn, kRotate, status);
    const MVector ra = read(fn, kRotateAxis);
    const auto order = static_cast<MEulerRotation::RotationOrder>(fn.findPlug("ro").asShort());
    return {MEulerRotation(r, order), MEulerRotation(ra.x, ra.y, ra.z).asQuaternion()};
}

// A new rotation for the rotate channel, in the channel's order and nearest its current
// angles, so the channels do not flip.
MStatus writeRotation(MFnTransform& fn, const MEulerRotation& before, const MQuaternion& after) {
    const MEulerRotation angles = MEulerRotation::decompose(after.asMatrix(), before.order);
    return writeChannel(fn, kRotate, angles.closestSolution(before).asVector());
}

bool isObjectSpace(MSpace::Space space) {
    return space == MSpace::kObject || space == MSpace::kPreTransform;
}

}  // namespace

MObject MFnTransform::create(MObject parent, MStatus* ReturnStatus) {
    return MFnDagNode::create("transform", parent, ReturnStatus);
}

MTransformationMatrix MFnTransform::transformation(MStatus* ReturnStatus) const {
    MStatus status;
    const MVector t = read(*this, kTranslate, &status);
    report(ReturnStatus, status);
    MTransformationMatrix xform;
    if (!status)
        return xform;
    const double rotation[3] = {read(*this, kRotate).x, read(*this, kRotate).y,
                                read(*this, kRotate).z};
    const MVector s = read(*this, kScale);
    const MVector sh = read(*this, kShear);
    const double scale[3] = {s.x, s.y, s.z};
    const double shear[3] = {sh.x, sh.y, sh.z};
    const MVector ra = read(*this, kRotateAxis);
    xform.setScalePivot(MPoint(read(*this, kScalePivot)), MSpace::kTransform, false);
    xform.setScalePivotTranslation(read(*this, kScalePivotTranslate), MSpace::kTransform);
    xform.setRotatePivot(MPoint(read(*this, kRotatePivot)), MSpace::kTransform, false);
    xform.setRotatePivotTranslation(read(*this, kRotatePivotTranslate), MSpace::kTransform);
    xform.setScale(scale, MSpace::kTransform);
    xform.setShear(shear, MSpace::kTransform);
    xform.setRotationOrientation(MEulerRotation(ra.x, ra.y, ra.z).asQuaternion());
    xform.setRotation(rotation, matrixOrder(findPlug("ro").asShort()));
    xform.setTranslation(t, MSpace::kTransform);
    return xform;
}

MStatus MFnTransform::set(const MTransformationMatrix& transform) {
    return applyTransformation(*this, transform);
}

MStatus MFnTransform::getScale(double scale[3]) const {
    MStatus status;
    read(*this, kScale, &status).get(scale);
    return status;
}

MStatus MFnTransform::setScale(const double scale[3]) {
    return writeChannel(*this, kScale, MVector(scale));
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
    read(*this, kShear, &status).get(shear);
    return status;
}

MStatus MFnTransform::setShear(const double shear[3]) {
    return writeChannel(*this, kShear, MVector(shear));
}

MStatus MFnTransform::getRotation(MEulerRotation& rotation) const {
    MStatus status;
    const MVector r = read(*this, kRotate, &status);
    if (!status)
        return status;
    rotation =
        MEulerRotation(r, static_cast<MEulerRotation::RotationOrder>(findPlug("ro").asShort()));
    return MStatus::kSuccess;
}

MStatus MFnTransform::setRotation(const MEulerRotation& rotation) {
    ChannelEdit edit(*this);
    edit.set(kRotate, rotation.asVector());
    edit.setOrder(static_cast<short>(rotation.order));
    return edit.apply();
}

// In transform space the rotation is the rotate channel alone; in world space it is the
// object's orientation: rotate axis, rotation and every parent's rotation.
MStatus MFnTransform::getRotation(MQuaternion& quaternion, MSpace::Space space) const {
    MStatus status;
    const Orientation current = orientationOf(*this, &status);
    if (!status)
        return status;
    quaternion = current.rotation.asQuaternion();
    if (space == MSpace::kWorld)
        quaternion =
            rotationOf((current.axis * quaternion).asMatrix() * dagPath().exclusiveMatrix());
    return MStatus::kSuccess;
}

MStatus MFnTransform::setRotation(const MQuaternion& quaternion, MSpace::Space space) {
    MStatus status;
    const Orientation current = orientationOf(*this, &status);
    if (!status)
        return status;
    MQuaternion local = quaternion;
    if (space == MSpace::kWorld) {
        const MQuaternion oriented =
            rotationOf(quaternion.asMatrix() * dagPath().exclusiveMatrixInverse());
        local = current.axis.inverse() * oriented;
    }
    return writeRotation(*this, current.rotation, local);
}

// Transform space turns after the current rotation, object space about the object's own axes
// and world space about the world's.
MStatus MFnTransform::rotateBy(const MQuaternion& quaternion, MSpace::Space space) {
    if (space == MSpace::kWorld) {
        MQuaternion current;
        const MStatus status = getRotation(current, MSpace::kWorld);
        return status ? setRotation(current * quaternion, MSpace::kWorld) : status;
    }
    MStatus status;
    const Orientation current = orientationOf(*this, &status);
    if (!status)
        return status;
    const MQuaternion rotation = current.rotation.asQuaternion();
    const MQuaternion turned = isObjectSpace(space)
                                   ? current.axis.inverse() * quaternion * current.axis * rotation
                                   : rotation * quaternion;
    return writeRotation(*this, current.rotation, turned);
}

MStatus MFnTransform::rotateBy(const MEulerRotation& rotation, MSpace::Space space) {
    return rotateBy(rotation.asQuaternion(), space);
}

MStatus MFnTransform::getRotation(double rotation[3],
                                  MTransformationMatrix::RotationOrder& order) const {
    MEulerRotation euler;
    const MStatus status = getRotation(euler);
    euler.asVector().get(rotation);
    order = matrixOrder(static_cast<short>(euler.order));
    return status;
}

MStatus MFnTransform::setRotation(const double rotation[3],
                                  MTransformationMatrix::RotationOrder order) {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast) {
        return MStatus::kInvalidParameter;
    }
    return setRotation(MEulerRotation(rotation[0], rotation[1], rotation[2], eulerOrder(order)));
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
    return status ? matrixOrder(order.asShort()) : MTransformationMatrix::kInvalid;
}

MStatus MFnTransform::setRotationOrder(MTransformationMatrix::RotationOrder order, bool reorder) {
    if (order <= MTransformationMatrix::kInvalid || order >= MTransformationMatrix::kLast) {
        return MStatus::kInvalidParameter;
    }
    MEulerRotation rotation;
    const MStatus status = getRotation(rotation);
    if (!status)
        return status;
    if (reorder) {
        rotation.reorderIt(eulerOrder(order));
    } else {
        rotation.order = eulerOrder(order);
    }
    return setRotation(rotation);
}

// World space: the translate channel as a point in the world (the parent's matrix applied).
MVector MFnTransform::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    const MVector local = read(*this, kTranslate, ReturnStatus);
    if (space != MSpace::kWorld)
        return local;
    return MVector(MPoint(local) * dagPath().exclusiveMatrix());
}

MStatus MFnTransform::setTranslation(const MVector& vec, MSpace::Space space) {
    if (space != MSpace::kWorld)
        return writeChannel(*this, kTranslate, vec);
    return writeChannel(*this, kTranslate,
                        MVector(MPoint(vec) * dagPath().exclusiveMatrixInverse()));
}

// Object space moves along the object's own (rotated, scaled) axes; world space along the
// world's; transform space along the parent's.
MStatus MFnTransform::translateBy(const MVector& vec, MSpace::Space space) {
    MStatus status;
    const MVector current = read(*this, kTranslate, &status);
    if (!status)
        return status;
    MVector delta = vec;
    if (space == MSpace::kWorld)
        delta = vec * dagPath().exclusiveMatrixInverse();
    else if (isObjectSpace(space))
        delta = vec * transformation().asMatrix();
    return writeChannel(*this, kTranslate, current + delta);
}

MPoint MFnTransform::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    const MPoint pivot(read(*this, kRotatePivot, ReturnStatus));
    if (space != MSpace::kWorld)
        return pivot;
    // Where the pivot lands: a fixed point of the rotation, moved on by the pivot translation
    // and the translation.
    const MPoint moved = pivot + read(*this, kRotatePivotTranslate) + read(*this, kTranslate);
    return moved * dagPath().exclusiveMatrix();
}

MStatus MFnTransform::setRotatePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MStatus status;
    MTransformationMatrix xform = transformation(&status);
    if (!status)
        return status;
    status = space == MSpace::kWorld
                 ? xform.setRotatePivot(point * dagPath().exclusiveMatrixInverse(),
                                        MSpace::kPostTransform, balance)
                 : xform.setRotatePivot(point, MSpace::kTransform, balance);
    return status ? applyTransformation(*this, xform) : status;
}

MVector MFnTransform::rotatePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    return read(*this, kRotatePivotTranslate, ReturnStatus);
}

MStatus MFnTransform::setRotatePivotTranslation(const MVector& vec, MSpace::Space) {
    return writeChannel(*this, kRotatePivotTranslate, vec);
}

MPoint MFnTransform::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    const MTransformationMatrix xform = transformation(ReturnStatus);
    if (space != MSpace::kWorld)
        return xform.scalePivot(MSpace::kTransform);
    return xform.scalePivot(MSpace::kPostTransform) * dagPath().exclusiveMatrix();
}

MStatus MFnTransform::setScalePivot(const MPoint& point, MSpace::Space space, bool balance) {
    MStatus status;
    MTransformationMatrix xform = transformation(&status);
    if (!status)
        return status;
    status = space == MSpace::kWorld
                 ? xform.setScalePivot(point * dagPath().exclusiveMatrixInverse(),
                                       MSpace::kPostTransform, balance)
                 : xform.setScalePivot(point, MSpace::kTransform, balance);
    return status ? applyTransformation(*this, xform) : status;
}

MVector MFnTransform::scalePivotTranslation(MSpace::Space, MStatus* ReturnStatus) const {
    return read(*this, kScalePivotTranslate, ReturnStatus);
}

MStatus MFnTransform::setScalePivotTranslation(const MVector& vec, MSpace::Space) {
    return writeChannel(*this, kScalePivotTranslate, vec);
}

MQuaternion MFnTransform::rotateOrientation(MSpace::Space, MStatus* ReturnStatus) const {
    const MVector ra = read(*this, kRotateAxis, ReturnStatus);
    return MEulerRotation(ra.x, ra.y, ra.z).asQuaternion();
}

// With balance the object keeps its orientation: the rotation takes up the change.
MStatus MFnTransform::setRotateOrientation(const MQuaternion& quat, MSpace::Space, bool balance) {
    MStatus status;
    MTransformationMatrix xform = transformation(&status);
    if (!status)
        return status;
    const MQuaternion oriented = xform.rotationOrientation() * xform.rotation();
    xform.setRotationOrientation(quat);
    if (balance) {
        const MEulerRotation before = xform.eulerRotation();
        const MEulerRotation after =
            MEulerRotation::decompose((quat.inverse() * oriented).asMatrix(), before.order);
        xform.rotateTo(after.closestSolution(before));
    }
    return applyTransformation(*this, xform);
}
