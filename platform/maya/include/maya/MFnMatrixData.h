#pragma once
// Matrix data: the value of matrix attributes such as a transform's worldMatrix.

#include <maya/MFnData.h>
#include <maya/MMatrix.h>
#include <maya/MTransformationMatrix.h>

class MFnMatrixData : public MFnData {
public:
    declareMFnConstructors(MFnMatrixData)

        MFn::Type type() const override {
        return MFn::kMatrixData;
    }

    MObject create(MStatus* ReturnStatus = NULL);
    MObject create(const MMatrix& in, MStatus* ReturnStatus = NULL);
    MObject create(const MTransformationMatrix& in, MStatus* ReturnStatus = NULL);
    const MMatrix& matrix(MStatus* ReturnStatus = NULL) const;
    MTransformationMatrix transformation(MStatus* ReturnStatus = NULL) const;
    bool isTransformation(MStatus* ReturnStatus = NULL) const;
    MStatus set(const MMatrix& in);
    MStatus set(const MTransformationMatrix& in);
};
