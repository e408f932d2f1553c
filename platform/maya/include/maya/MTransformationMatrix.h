#pragma once
// A transformation kept as Maya's separate components, composed (row vectors) as
//   Sp^-1 * S * Sh * Sp * St * Rp^-1 * Ro * R * Rp * Rt * T
// (scale pivot, scale, shear, scale pivot translation, rotate pivot, rotate axis, rotation,
// rotate pivot translation, translation).

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MMatrix;
class MVector;
class MPoint;
class MQuaternion;
class MEulerRotation;

#define MTransformationMatrix_kTol 1.0e-10

class MTransformationMatrix {
public:
    // MEulerRotation's order plus one.
    enum RotationOrder { kInvalid, kXYZ, kYZX, kZXY, kXZY, kYXZ, kZYX, kLast };

    MTransformationMatrix() = default;
    MTransformationMatrix(const MTransformationMatrix&) = default;
    // Decomposes into translation, rotation (xyz), scale and shear; pivots stay at zero.
    MTransformationMatrix(const MMatrix& src);
    ~MTransformationMatrix() = default;
    MTransformationMatrix& operator=(const MTransformationMatrix&) = default;
    MTransformationMatrix& operator=(const MMatrix& src);

    MMatrix asMatrix() const;
    // Every component moved the given fraction of the way from identity.
    MMatrix asMatrix(double percent) const;
    MMatrix asMatrixInverse() const;
    MMatrix asScaleMatrix() const;
    MMatrix asRotateMatrix() const;

    MStatus getScale(double scale[3], MSpace::Space space) const;
    MStatus setScale(const double scale[3], MSpace::Space space);
    MStatus addScale(const double scale[3], MSpace::Space space);

    MQuaternion rotation() const;
    MTransformationMatrix& rotateTo(const MQuaternion& q);
    MTransformationMatrix& rotateBy(const MQuaternion& q, MSpace::Space space,
                                    MStatus* ReturnStatus = NULL);
    MEulerRotation eulerRotation() const;
    MTransformationMatrix& rotateTo(const MEulerRotation& e);
    MTransformationMatrix& rotateBy(const MEulerRotation& e, MSpace::Space space,
                                    MStatus* ReturnStatus = NULL);
    MStatus getRotationQuaternion(double& x, double& y, double& z, double& w) const;
    MStatus setRotationQuaternion(double x, double y, double z, double w);
    MStatus addRotationQuaternion(double x, double y, double z, double w, MSpace::Space space);
    MStatus getRotation(double rotation[3], RotationOrder& order) const;
    MStatus setRotation(const double rotation[3], RotationOrder order);
    MStatus addRotation(const double rotation[3], RotationOrder order, MSpace::Space space);
    RotationOrder rotationOrder(MStatus* ReturnStatus = NULL) const;
    MStatus reorderRotation(const RotationOrder& order);
    MStatus setToRotationAxis(const MVector& axis, double rotation);
    MQuaternion rotationOrientation() const;
    MTransformationMatrix& setRotationOrientation(const MQuaternion& q);

    // kTransform/kPreTransform: the translate component; kPostTransform/kWorld: where the
    // origin ends up, i.e. the matrix's translation row.
    MVector getTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setTranslation(const MVector& vector, MSpace::Space space);
    MStatus addTranslation(const MVector& vector, MSpace::Space space);
    MStatus setShear(const double shear[3], MSpace::Space space);
    MStatus getShear(double shear[3], MSpace::Space space) const;
    MStatus addShear(const double shear[3], MSpace::Space space);

    MPoint scalePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    // balance: adjust the pivot translation so the overall matrix does not change. Outside
    // transform space the point is where the pivot lands after the transformation.
    MStatus setScalePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector scalePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setScalePivotTranslation(const MVector& vector, MSpace::Space space);
    MPoint rotatePivot(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivot(const MPoint& point, MSpace::Space space, bool balance);
    MVector rotatePivotTranslation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;
    MStatus setRotatePivotTranslation(const MVector& vector, MSpace::Space space);

    bool isEquivalent(const MTransformationMatrix& other,
                      double tolerance = MTransformationMatrix_kTol) const;
    bool operator==(const MTransformationMatrix& other) const;
    bool operator!=(const MTransformationMatrix& other) const { return !(*this == other); }

    // Older spellings that ignore the space.
    MStatus getRotation(double rotation[3], RotationOrder& order, MSpace::Space space) const;
    MStatus setRotation(const double rotation[3], RotationOrder order, MSpace::Space space);
    MStatus getRotationQuaternion(double& x, double& y, double& z, double& w,
                                  MSpace::Space space) const;
    MStatus setRotationQuaternion(double x, double y, double z, double w, MSpace::Space space);
    MVector translation(MSpace::Space space, MStatus* ReturnStatus = NULL) const;

    static const MTransformationMatrix identity;

private:
    // Rotate axis then rotation, without pivots.
    MMatrix rotationPart() const;

    double translate_[3] = {0.0, 0.0, 0.0};
    double rotation_[3] = {0.0, 0.0, 0.0};
    RotationOrder rotationOrder_ = kXYZ;
    double orientation_[4] = {0.0, 0.0, 0.0, 1.0};
    double scale_[3] = {1.0, 1.0, 1.0};
    double shear_[3] = {0.0, 0.0, 0.0};
    double scalePivot_[3] = {0.0, 0.0, 0.0};
    double scalePivotTranslation_[3] = {0.0, 0.0, 0.0};
    double rotatePivot_[3] = {0.0, 0.0, 0.0};
    double rotatePivotTranslation_[3] = {0.0, 0.0, 0.0};
};
