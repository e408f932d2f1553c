// Components and the numeric and matrix data function sets.

#include <maya/MFnComponent.h>

#include <algorithm>

#include <maya/MFnMatrixData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnSingleIndexedComponent.h>

#include "dg/DataObjects.h"

using mayasim::Component;
using mayasim::ObjectAccess;

namespace {

void report(MStatus* out, MStatus status) {
    if (out)
        *out = status;
}

}  // namespace

int MFnComponent::elementCount(MStatus* ReturnStatus) const {
    auto* component = ObjectAccess::as<Component>(object_);
    report(ReturnStatus, component ? MStatus::kSuccess : MStatus::kFailure);
    return component ? static_cast<int>(component->resolved().size()) : 0;
}

MFn::Type MFnComponent::componentType(MStatus* ReturnStatus) const {
    auto* component = ObjectAccess::as<Component>(object_);
    report(ReturnStatus, component ? MStatus::kSuccess : MStatus::kFailure);
    return component ? component->componentType : MFn::kInvalid;
}

bool MFnComponent::isEmpty(MStatus* ReturnStatus) const {
    return elementCount(ReturnStatus) == 0;
}

bool MFnComponent::isEqual(const MObject& other, MStatus* ReturnStatus) const {
    auto* mine = ObjectAccess::as<Component>(object_);
    auto* theirs = ObjectAccess::as<Component>(other);
    report(ReturnStatus, mine && theirs ? MStatus::kSuccess : MStatus::kFailure);
    if (!mine || !theirs || mine->componentType != theirs->componentType)
        return false;
    std::vector<int> a = mine->resolved();
    std::vector<int> b = theirs->resolved();
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

bool MFnComponent::isComplete(MStatus* ReturnStatus) const {
    auto* component = ObjectAccess::as<Component>(object_);
    report(ReturnStatus, component ? MStatus::kSuccess : MStatus::kFailure);
    return component && component->complete;
}

MStatus MFnComponent::setComplete(bool complete) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component)
        return MStatus::kFailure;
    component->complete = complete;
    return MStatus::kSuccess;
}

MObject MFnSingleIndexedComponent::create(MFn::Type compType, MStatus* ReturnStatus) {
    if (compType != MFn::kMeshVertComponent && compType != MFn::kMeshEdgeComponent &&
        compType != MFn::kMeshPolygonComponent && compType != MFn::kCurveCVComponent) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    object_ = ObjectAccess::wrap(std::make_shared<Component>(compType));
    report(ReturnStatus, MStatus::kSuccess);
    return object_;
}

MStatus MFnSingleIndexedComponent::addElement(int element) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || element < 0)
        return MStatus::kInvalidParameter;
    if (std::find(component->elements.begin(), component->elements.end(), element) ==
        component->elements.end()) {
        component->elements.push_back(element);
    }
    return MStatus::kSuccess;
}

MStatus MFnSingleIndexedComponent::addElements(MIntArray& elements) {
    for (unsigned int i = 0; i < elements.length(); ++i) {
        const MStatus status = addElement(elements[i]);
        if (!status)
            return status;
    }
    return MStatus::kSuccess;
}

int MFnSingleIndexedComponent::element(int index, MStatus* ReturnStatus) const {
    auto* component = ObjectAccess::as<Component>(object_);
    const std::vector<int> all = component ? component->resolved() : std::vector<int>();
    const bool valid = index >= 0 && index < static_cast<int>(all.size());
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? all[static_cast<size_t>(index)] : -1;
}

MStatus MFnSingleIndexedComponent::getElements(MIntArray& elements) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component)
        return MStatus::kFailure;
    elements.clear();
    for (int element : component->resolved())
        elements.append(element);
    return MStatus::kSuccess;
}

MStatus MFnSingleIndexedComponent::setCompleteData(int numElements) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || numElements < 0)
        return MStatus::kFailure;
    component->complete = true;
    component->completeCount = numElements;
    return MStatus::kSuccess;
}

MStatus MFnSingleIndexedComponent::getCompleteData(int& numElements) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || !component->complete)
        return MStatus::kFailure;
    numElements = component->completeCount;
    return MStatus::kSuccess;
}

// ---- MFnNumericData ----

MObject MFnNumericData::create(Type dataType, MStatus* ReturnStatus) {
    if (dataType <= kInvalid || dataType >= kLast) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    object_ = ObjectAccess::wrap(std::make_shared<mayasim::NumericData>(dataType));
    report(ReturnStatus, MStatus::kSuccess);
    return object_;
}

MFnNumericData::Type MFnNumericData::numericType(MStatus* ReturnStatus) {
    auto* data = ObjectAccess::as<mayasim::NumericData>(object_);
    report(ReturnStatus, data ? MStatus::kSuccess : MStatus::kFailure);
    return data ? static_cast<Type>(data->numericType) : kInvalid;
}

namespace {

MStatus readValues(const MObject& object, double* out, unsigned int count) {
    auto* data = ObjectAccess::as<mayasim::NumericData>(object);
    if (!data)
        return MStatus::kFailure;
    for (unsigned int i = 0; i < count; ++i)
        out[i] = data->values[i];
    return MStatus::kSuccess;
}

MStatus writeValues(const MObject& object, const double* in, unsigned int count) {
    auto* data = ObjectAccess::as<mayasim::NumericData>(object);
    if (!data)
        return MStatus::kFailure;
    for (unsigned int i = 0; i < count; ++i)
        data->values[i] = in[i];
    return MStatus::kSuccess;
}

}  // namespace

MStatus MFnNumericData::getData(double& val1, double& val2) {
    double v[2] = {};
    const MStatus status = readValues(object_, v, 2);
    val1 = v[0];
    val2 = v[1];
    return status;
}

MStatus MFnNumericData::getData(double& val1, double& val2, double& val3) {
    double v[3] = {};
    const MStatus status = readValues(object_, v, 3);
    val1 = v[0];
    val2 = v[1];
    val3 = v[2];
    return status;
}

MStatus MFnNumericData::getData(float& val1, float& val2, float& val3) {
    double v[3] = {};
    const MStatus status = readValues(object_, v, 3);
    val1 = static_cast<float>(v[0]);
    val2 = static_cast<float>(v[1]);
    val3 = static_cast<float>(v[2]);
    return status;
}

MStatus MFnNumericData::getData(int& val1, int& val2) {
    double v[2] = {};
    const MStatus status = readValues(object_, v, 2);
    val1 = static_cast<int>(v[0]);
    val2 = static_cast<int>(v[1]);
    return status;
}

MStatus MFnNumericData::setData(double val1, double val2) {
    const double v[] = {val1, val2};
    return writeValues(object_, v, 2);
}

MStatus MFnNumericData::setData(double val1, double val2, double val3) {
    const double v[] = {val1, val2, val3};
    return writeValues(object_, v, 3);
}

MStatus MFnNumericData::setData(float val1, float val2, float val3) {
    const double v[] = {val1, val2, val3};
    return writeValues(object_, v, 3);
}

MStatus MFnNumericData::setData(int val1, int val2) {
    const double v[] = {double(val1), double(val2)};
    return writeValues(object_, v, 2);
}

// ---- MFnMatrixData ----

MObject MFnMatrixData::create(MStatus* ReturnStatus) {
    return create(MMatrix(), ReturnStatus);
}

MObject MFnMatrixData::create(const MMatrix& in, MStatus* ReturnStatus) {
    object_ = ObjectAccess::wrap(std::make_shared<mayasim::MatrixData>(in));
    report(ReturnStatus, MStatus::kSuccess);
    return object_;
}

MObject MFnMatrixData::create(const MTransformationMatrix& in, MStatus* ReturnStatus) {
    return create(in.asMatrix(), ReturnStatus);
}

const MMatrix& MFnMatrixData::matrix(MStatus* ReturnStatus) const {
    static const MMatrix identity;
    auto* data = ObjectAccess::as<mayasim::MatrixData>(object_);
    report(ReturnStatus, data ? MStatus::kSuccess : MStatus::kFailure);
    return data ? data->matrix : identity;
}

MTransformationMatrix MFnMatrixData::transformation(MStatus* ReturnStatus) const {
    return MTransformationMatrix(matrix(ReturnStatus));
}

bool MFnMatrixData::isTransformation(MStatus* ReturnStatus) const {
    report(ReturnStatus, MStatus::kSuccess);
    return false;
}

MStatus MFnMatrixData::set(const MMatrix& in) {
    auto* data = ObjectAccess::as<mayasim::MatrixData>(object_);
    if (!data)
        return MStatus::kFailure;
    data->matrix = in;
    return MStatus::kSuccess;
}

MStatus MFnMatrixData::set(const MTransformationMatrix& in) {
    return set(in.asMatrix());
}
