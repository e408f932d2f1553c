#pragma once
// The data objects typed attributes hold.

#include <memory>
#include <vector>

#include <maya/MFn.h>
#include <maya/MMatrix.h>

#include "dg/Component.h"
#include "dg/MeshGeometry.h"
#include "mayasim/DgObject.h"

namespace mayasim {

class MatrixData : public Object {
public:
    explicit MatrixData(const MMatrix& value = MMatrix()) : matrix(value) {}
    MFn::Type apiType() const override { return MFn::kMatrixData; }
    bool hasFn(MFn::Type type) const override { return type == MFn::kData || Object::hasFn(type); }
    MMatrix matrix;
};

class MeshData : public Object {
public:
    explicit MeshData(std::shared_ptr<MeshGeometry> value) : geometry(std::move(value)) {}
    MFn::Type apiType() const override { return MFn::kMeshData; }
    bool hasFn(MFn::Type type) const override { return type == MFn::kData || Object::hasFn(type); }
    std::shared_ptr<MeshGeometry> geometry;
};

class NumericData : public Object {
public:
    explicit NumericData(int type) : numericType(type) {}
    MFn::Type apiType() const override { return MFn::kNumericData; }
    bool hasFn(MFn::Type type) const override { return type == MFn::kData || Object::hasFn(type); }
    int numericType;
    double values[4] = {0.0, 0.0, 0.0, 0.0};
};

// A list of components (MFnComponentListData).
class ComponentListData : public Object {
public:
    MFn::Type apiType() const override { return MFn::kComponentListData; }
    bool hasFn(MFn::Type type) const override { return type == MFn::kData || Object::hasFn(type); }
    std::vector<MObject> components;
};

}  // namespace mayasim
