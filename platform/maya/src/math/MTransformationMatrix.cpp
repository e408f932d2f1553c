#include <maya/MTransformationMatrix.h>

#include <cmath>

#include <maya/MEulerRotation.h>
#include <maya/MMatrix.h>
#include <maya/MPoint.h>
#include <maya/MQuaternion.h>
#include <maya/MVector.h>

const MTransformationMatrix MTransformationMatrix::identity;

namespace {

MMatrix translateMatrix(const MVector& offset) {
    MMatrix m;
    m[3][0] = offset.x;
    m[3][1] = offset.y;
    m[3][2] = offset.z;
    return m;
}

MMatrix scaling(const MVector& scale) {
    MMatrix m;
    m[0][0] = scale.x;
    m[1][1] = scale.y;
    m[2][2] = scale.z;
    return m;
}

// Shear components are (xy, xz, yz).
MMatrix shearing(const MVector& shear) {
    MMatrix m;
    m[1][0] = shear.x;
    m[2][0] = shear.y;
    m[2][1] = shear.z;
    return m;
}

bool isTransformSpace(MSpace::Space space) {
    return space == MSpace::kTransform || space == MSpace::kPreTransform;
}

bool isValidSpace(MSpace::Space space) {
    return space > MSpace::kInvalid && space < MSpace::kLast;
}

bool isValidOrder(MTransformationMatrix::RotationOrder order) {
    return order > MTransformationMatrix::kInvalid && order < MTransformationMatrix::kLast;
}

MEulerRotation::RotationOrder eulerOrder(MTransformationMatrix::RotationOrder order) {
    return static_cast<MEulerRotation::RotationOrder>(order - 1);
}

MTransformationMatrix::RotationOrder matrixOrder(MEulerRotation::RotationOrder order) {
    return static_cast<MTransformationMatrix::RotationOrder>(order + 1);
}

MVector vec(const double v[3]) {
    return MVector(v[0], v[1], v[2]);
}

void store(const MVector& v, double dest[3]) {
    v.get(dest);
}

MStatus report(MStatus* ReturnStatus, MStatus status) {
    if (ReturnStatus)
        *ReturnStatus = status;
    return status;
}

}  // namespace

MTransformationMatrix::MTransformationMatrix(const MMatrix& src) {
    *this = src;
}

// Splits the upper 3x3 into scale * shear * rotation by Gram-Schmidt on its rows, first row
// first, which matches the lower-triangular shear Maya composes.
MTransformationMatrix& MTransformationMatrix::operator=(const MMatrix& src) {
    *this = MTransformationMatrix();
    const MVector m0(src[0][0], src[0][1], src[0][2]);
    const MVector m1(src[1][0], src[1][1], src[1][2]);
    const MVector m2(src[2][0], src[2][1], src[2][2]);
    store(MVector(src[3][0], src[3][1], src[3][2]), translate_);

    const double sx = m0.length();
    const MVector r0 = sx > 0.0 ? m0 / sx : MVector::xAxis;
    const MVector u1 = m1 - r0 * (m1 * r0);
    const double sy = u1.length();
    const MVector r1 = sy > 0.0 ? u1 / sy : (r0 ^ MVector::zAxis).normal();
    const MVector u2 = m2 - r0 * (m2 * r0) - r1 * (m2 * r1);
    double sz = u2.length();
    MVector r2 = sz > 0.0 ? u2 / sz : r0 ^ r1;
    if ((r0 ^ r1) * r2 < 0.0) {
        sz = -sz;
        r2 = -r2;
    }
    scale_[0] = sx;
    scale_[1] = sy;
    scale_[2] = sz;
    shear_[0] = sy != 0.0 ? (m1 * r0) / sy : 0.0;
    shear_[1] = sz != 0.0 ? (m2 * r0) / sz : 0.0;
    shear_[2] = sz != 0.0 ? (m2 * r1) / sz : 0.0;

    MMatrix rotationMatrix;
    const MVector rows[3] = {r0, r1, r2};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            rotationMatrix[r][c] = rows[r][c];
    const MEulerRotation euler = MEulerRotation::decompose(rotationMatrix, MEulerRotation::kXYZ);
    store(euler.asVector(), rotation_);
    rotationOrder_ = kXYZ;
    return *this;
}

MMatrix MTransformationMatrix::rotationPart() const {
    return rotationOrientation().asMatrix() * eulerRotation().asMatrix();
}

MMatrix MTransformationMatrix::asScaleMatrix() const {
    const MVector pivot = vec(scalePivot_);
    return translateMatrix(-pivot) * scaling(vec(scale_)) * shearing(vec(shear_)) *
           translateMatrix(pivot) * translateMatrix(vec(scalePivotTranslation_));
}

MMatrix MTransformationMatrix::asRotateMatrix() const {
    const MVector pivot = vec(rotatePivot_);
    return translateMatrix(-pivot) * rotationOrientation().asMatrix() * eulerRotation().asMatrix() *
           translateMatrix(pivot) * translateMatrix(vec(rotatePivotTranslation_));
}

MMatrix MTransformationMatrix::asMatrix() const {
    return asScaleMatrix() * asRotateMatrix() * translateMatrix(vec(translate_));
}

MMatrix MTransformationMatrix::asMatrix(double percent) const {
    const MVector scalePivot = vec(scalePivot_);
    const MVector rotatePivot = vec(rotatePivot_);
    const MVector scale = MVector::one + (vec(scale_) - MVector::one) * percent;
    const MQuaternion orientation = slerp(MQuaternion::identity, rotationOrientation(), percent);
    const MEulerRotation rotation = eulerRotation() * percent;
    return translateMatrix(-scalePivot) * scaling(scale) * shearing(vec(shear_) * percent) *
           translateMatrix(scalePivot) * translateMatrix(vec(scalePivotTranslation_) * percent) *
           translateMatrix(-rotatePivot) * orientation.asMatrix() * rotation.asMatrix() *
           translateMatrix(rotatePivot) * translateMatrix(vec(rotatePivotTranslation_) * percent) *
           translateMatrix(vec(translate_) * percent);
}

MMatrix MTransformationMatrix::asMatrixInverse() const {
    return asMatrix().inverse();
}

MStatus MTransformationMatrix::getScale(double scale[3], MSpace::Space space) const {
    if (!scale || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        scale[i] = scale_[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setScale(const double scale[3], MSpace::Space space) {
    if (!scale || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        scale_[i] = scale[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::addScale(const double scale[3], MSpace::Space space) {
    if (!scale || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        scale_[i] *= scale[i];
    return MStatus::kSuccess;
}

MQuaternion MTransformationMatrix::rotation() const {
    return eulerRotation().asQuaternion();
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MQuaternion& q) {
    store(MEulerRotation::decompose(q.asMatrix(), eulerOrder(rotationOrder_)).asVector(),
          rotation_);
    return *this;
}

// Transform space turns after the current rotation; pre-transform (object) space before the
// rotate axis, so the turn happens about the object's own axes.
MTransformationMatrix& MTransformationMatrix::rotateBy(const MQuaternion& q, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    if (!isValidSpace(space)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return *this;
    }
    const MQuaternion current = rotation();
    MQuaternion turned;
    if (space == MSpace::kPreTransform) {
        const MQuaternion orientation = rotationOrientation();
        turned = orientation.inverse() * q * orientation * current;
    } else {
        turned = current * q;
    }
    const MEulerRotation before = eulerRotation();
    MEulerRotation after = MEulerRotation::decompose(turned.asMatrix(), before.order);
    store(after.closestSolution(before).asVector(), rotation_);
    report(ReturnStatus, MStatus::kSuccess);
    return *this;
}

MEulerRotation MTransformationMatrix::eulerRotation() const {
    return MEulerRotation(rotation_[0], rotation_[1], rotation_[2], eulerOrder(rotationOrder_));
}

MTransformationMatrix& MTransformationMatrix::rotateTo(const MEulerRotation& e) {
    store(e.asVector(), rotation_);
    rotationOrder_ = matrixOrder(e.order);
    return *this;
}

MTransformationMatrix& MTransformationMatrix::rotateBy(const MEulerRotation& e, MSpace::Space space,
                                                       MStatus* ReturnStatus) {
    return rotateBy(e.asQuaternion(), space, ReturnStatus);
}

MStatus MTransformationMatrix::getRotationQuaternion(double& x, double& y, double& z,
                                                     double& w) const {
    const MQuaternion q = rotation();
    x = q.x;
    y = q.y;
    z = q.z;
    w = q.w;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setRotationQuaternion(double x, double y, double z, double w) {
    rotateTo(MQuaternion(x, y, z, w));
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::addRotationQuaternion(double x, double y, double z, double w,
                                                     MSpace::Space space) {
    MStatus status;
    rotateBy(MQuaternion(x, y, z, w), space, &status);
    return status;
}

MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order) const {
    if (!rotation)
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        rotation[i] = rotation_[i];
    order = rotationOrder_;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setRotation(const double rotation[3], RotationOrder order) {
    if (!rotation || !isValidOrder(order))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        rotation_[i] = rotation[i];
    rotationOrder_ = order;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::addRotation(const double rotation[3], RotationOrder order,
                                           MSpace::Space space) {
    if (!rotation || !isValidOrder(order))
        return MStatus::kInvalidParameter;
    MStatus status;
    rotateBy(MEulerRotation(rotation[0], rotation[1], rotation[2], eulerOrder(order)), space,
             &status);
    return status;
}

MTransformationMatrix::RotationOrder MTransformationMatrix::rotationOrder(
    MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return rotationOrder_;
}

MStatus MTransformationMatrix::reorderRotation(const RotationOrder& order) {
    if (!isValidOrder(order))
        return MStatus::kInvalidParameter;
    store(eulerRotation().reorder(eulerOrder(order)).asVector(), rotation_);
    rotationOrder_ = order;
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setToRotationAxis(const MVector& axis, double rotation) {
    if (axis.length() == 0.0)
        return MStatus::kInvalidParameter;
    rotateTo(MQuaternion(rotation, axis));
    return MStatus::kSuccess;
}

MQuaternion MTransformationMatrix::rotationOrientation() const {
    return MQuaternion(orientation_);
}

MTransformationMatrix& MTransformationMatrix::setRotationOrientation(const MQuaternion& q) {
    q.normal().get(orientation_);
    return *this;
}

MVector MTransformationMatrix::getTranslation(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!isValidSpace(space)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MVector::zero;
    }
    report(ReturnStatus, MStatus::kSuccess);
    if (isTransformSpace(space))
        return vec(translate_);
    const MMatrix m = asMatrix();
    return MVector(m[3][0], m[3][1], m[3][2]);
}

MStatus MTransformationMatrix::setTranslation(const MVector& vector, MSpace::Space space) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    if (isTransformSpace(space)) {
        store(vector, translate_);
    } else {
        const MVector offset = getTranslation(space) - vec(translate_);
        store(vector - offset, translate_);
    }
    return MStatus::kSuccess;
}

// In pre-transform space the offset is along the object's own (scaled, rotated) axes.
MStatus MTransformationMatrix::addTranslation(const MVector& vector, MSpace::Space space) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    const MVector offset = space == MSpace::kPreTransform ? vector * asMatrix() : vector;
    store(vec(translate_) + offset, translate_);
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::setShear(const double shear[3], MSpace::Space space) {
    if (!shear || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        shear_[i] = shear[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::getShear(double shear[3], MSpace::Space space) const {
    if (!shear || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        shear[i] = shear_[i];
    return MStatus::kSuccess;
}

MStatus MTransformationMatrix::addShear(const double shear[3], MSpace::Space space) {
    if (!shear || !isValidSpace(space))
        return MStatus::kInvalidParameter;
    for (int i = 0; i < 3; ++i)
        shear_[i] += shear[i];
    return MStatus::kSuccess;
}

// Outside transform space a pivot is reported where the transformation carries it.
MPoint MTransformationMatrix::scalePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!isValidSpace(space)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPoint::origin;
    }
    report(ReturnStatus, MStatus::kSuccess);
    const MPoint pivot(vec(scalePivot_));
    if (isTransformSpace(space))
        return pivot;
    return pivot * asMatrix();
}

// Outside transform space the point is where the pivot should end up after the
// transformation: the move is taken back through the rotation (and, when balanced, through
// the scale and shear that the pivot translation compensates).
MStatus MTransformationMatrix::setScalePivot(const MPoint& point, MSpace::Space space,
                                             bool balance) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    const MMatrix scaleShear = scaling(vec(scale_)) * shearing(vec(shear_));
    MVector moved = MVector(point) - vec(scalePivot_);
    if (!isTransformSpace(space)) {
        moved = MVector(point - scalePivot(space)) * rotationPart().inverse();
        if (balance) {
            if (scaleShear.isSingular())
                return MStatus::kInvalidParameter;
            moved = moved * scaleShear.inverse();
        }
    }
    if (balance)
        store(vec(scalePivotTranslation_) + (moved * scaleShear - moved), scalePivotTranslation_);
    store(vec(scalePivot_) + moved, scalePivot_);
    return MStatus::kSuccess;
}

MVector MTransformationMatrix::scalePivotTranslation(MSpace::Space space,
                                                     MStatus* ReturnStatus) const {
    report(ReturnStatus, isValidSpace(space) ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return vec(scalePivotTranslation_);
}

MStatus MTransformationMatrix::setScalePivotTranslation(const MVector& vector,
                                                        MSpace::Space space) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    store(vector, scalePivotTranslation_);
    return MStatus::kSuccess;
}

MPoint MTransformationMatrix::rotatePivot(MSpace::Space space, MStatus* ReturnStatus) const {
    if (!isValidSpace(space)) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MPoint::origin;
    }
    report(ReturnStatus, MStatus::kSuccess);
    const MPoint pivot(vec(rotatePivot_));
    if (isTransformSpace(space))
        return pivot;
    return pivot + vec(rotatePivotTranslation_) + vec(translate_);
}

// Outside transform space the point is where the pivot should end up after the
// transformation; balanced, the pivot translation turns with the rotation, so the move is
// taken back through it.
MStatus MTransformationMatrix::setRotatePivot(const MPoint& point, MSpace::Space space,
                                              bool balance) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    const MMatrix turn = rotationPart();
    MVector moved = MVector(point) - vec(rotatePivot_);
    if (!isTransformSpace(space)) {
        moved = MVector(point - rotatePivot(space));
        if (balance)
            moved = moved * turn.inverse();
    }
    if (balance)
        store(vec(rotatePivotTranslation_) + (moved * turn - moved), rotatePivotTranslation_);
    store(vec(rotatePivot_) + moved, rotatePivot_);
    return MStatus::kSuccess;
}

MVector MTransformationMatrix::rotatePivotTranslation(MSpace::Space space,
                                                      MStatus* ReturnStatus) const {
    report(ReturnStatus, isValidSpace(space) ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return vec(rotatePivotTranslation_);
}

MStatus MTransformationMatrix::setRotatePivotTranslation(const MVector& vector,
                                                         MSpace::Space space) {
    if (!isValidSpace(space))
        return MStatus::kInvalidParameter;
    store(vector, rotatePivotTranslation_);
    return MStatus::kSuccess;
}

bool MTransformationMatrix::isEquivalent(const MTransformationMatrix& other,
                                         double tolerance) const {
    return asMatrix().isEquivalent(other.asMatrix(), tolerance);
}

bool MTransformationMatrix::operator==(const MTransformationMatrix& other) const {
    return isEquivalent(other);
}

MStatus MTransformationMatrix::getRotation(double rotation[3], RotationOrder& order,
                                           MSpace::Space) const {
    return getRotation(rotation, order);
}

MStatus MTransformationMatrix::setRotation(const double rotation[3], RotationOrder order,
                                           MSpace::Space) {
    return setRotation(rotation, order);
}

MStatus MTransformationMatrix::getRotationQuaternion(double& x, double& y, double& z, double& w,
                                                     MSpace::Space) const {
    return getRotationQuaternion(x, y, z, w);
}

MStatus MTransformationMatrix::setRotationQuaternion(double x, double y, double z, double w,
                                                     MSpace::Space) {
    return setRotationQuaternion(x, y, z, w);
}

MVector MTransformationMatrix::translation(MSpace::Space space, MStatus* ReturnStatus) const {
    return getTranslation(space, ReturnStatus);
}
