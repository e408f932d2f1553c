// Components and the numeric and matrix data function sets.

#include <maya/MFnComponent.h>

#include <algorithm>

#include <maya/MFnComponentListData.h>
#include <maya/MFnDoubleIndexedComponent.h>
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
    return component ? static_cast<int>(component->size()) : 0;
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
    return mine && theirs && mine->componentType == theirs->componentType &&
           mine->sortedKeys() == theirs->sortedKeys();
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

namespace {

MObject createComponent(MObject& object, MFn::Type compType, bool doubleIndexed,
                        std::initializer_list<MFn::Type> allowed, MStatus* ReturnStatus) {
    if (std::find(allowed.begin(), allowed.end(), compType) == allowed.end()) {
        report(ReturnStatus, MStatus::kInvalidParameter);
        return MObject();
    }
    object = ObjectAccess::wrap(std::make_shared<Component>(compType, doubleIndexed));
    report(ReturnStatus, MStatus::kSuccess);
    return object;
}

}  // namespace

MObject MFnSingleIndexedComponent::create(MFn::Type compType, MStatus* ReturnStatus) {
    return createComponent(
        object_, compType, false,
        {MFn::kMeshVertComponent, MFn::kMeshEdgeComponent, MFn::kMeshPolygonComponent,
         MFn::kCurveCVComponent, MFn::kCurveEPComponent},
        ReturnStatus);
}

MStatus MFnSingleIndexedComponent::addElement(int element) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || element < 0)
        return MStatus::kInvalidParameter;
    component->add(element);
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
    const bool valid = component && index >= 0 && static_cast<size_t>(index) < component->size();
    report(ReturnStatus, valid ? MStatus::kSuccess : MStatus::kInvalidParameter);
    return valid ? component->index(static_cast<size_t>(index)) : -1;
}

MStatus MFnSingleIndexedComponent::getElements(MIntArray& elements) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component)
        return MStatus::kFailure;
    elements.setLength(static_cast<unsigned int>(component->size()));
    for (size_t i = 0; i < component->size(); ++i)
        elements[static_cast<unsigned int>(i)] = component->index(i);
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

// ---- MFnDoubleIndexedComponent ----

MObject MFnDoubleIndexedComponent::create(MFn::Type compType, MStatus* ReturnStatus) {
    return createComponent(object_, compType, true, {MFn::kSurfaceCVComponent}, ReturnStatus);
}

MStatus MFnDoubleIndexedComponent::addElement(int uIndex, int vIndex) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || uIndex < 0 || vIndex < 0)
        return MStatus::kInvalidParameter;
    component->add(uIndex, vIndex);
    return MStatus::kSuccess;
}

MStatus MFnDoubleIndexedComponent::addElements(MIntArray& uIndexArray, MIntArray& vIndexArray) {
    if (uIndexArray.length() != vIndexArray.length())
        return MStatus::kInvalidParameter;
    for (unsigned int i = 0; i < uIndexArray.length(); ++i) {
        const MStatus status = addElement(uIndexArray[i], vIndexArray[i]);
        if (!status)
            return status;
    }
    return MStatus::kSuccess;
}

MStatus MFnDoubleIndexedComponent::getElement(int index, int& uIndex, int& vIndex) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || index < 0 || static_cast<size_t>(index) >= component->size())
        return MStatus::kInvalidParameter;
    component->uv(static_cast<size_t>(index), uIndex, vIndex);
    return MStatus::kSuccess;
}

MStatus MFnDoubleIndexedComponent::getElements(MIntArray& uIndexArray,
                                               MIntArray& vIndexArray) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component)
        return MStatus::kFailure;
    const auto count = static_cast<unsigned int>(component->size());
    uIndexArray.setLength(count);
    vIndexArray.setLength(count);
    for (unsigned int i = 0; i < count; ++i)
        component->uv(i, uIndexArray[i], vIndexArray[i]);
    return MStatus::kSuccess;
}

MStatus MFnDoubleIndexedComponent::setCompleteData(int maxU, int maxV) {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || maxU < 0 || maxV < 0)
        return MStatus::kFailure;
    component->complete = true;
    component->completeCount = maxU;
    component->completeCountV = maxV;
    return MStatus::kSuccess;
}

MStatus MFnDoubleIndexedComponent::getCompleteData(int& maxU, int& maxV) const {
    auto* component = ObjectAccess::as<Component>(object_);
    if (!component || !component->complete)
        return MStatus::kFailure;
    maxU = component->completeCount;
    maxV = component->completeCountV;
    return MStatus::kSuccess;
}

// ---- MFnComponentListData ----

namespace {

mayasim::ComponentListData* listOf(const MObject& object) {
    return ObjectAccess::as<mayasim::ComponentListData>(object);
}

}  // namespace

MObject MFnComponentListData::create(MStatus* ReturnStatus) {
    object_ = ObjectAccess::wrap(std::make_shared<mayasim::ComponentListData>());
    report(ReturnStatus, MStatus::kSuccess);
    return object_;
}

unsigned int MFnComponentListData::length(MStatus* ReturnStatus) const {
    auto* list = listOf(object_);
    report(ReturnStatus, list ? MStatus::kSuccess : MStatus::kFailure);
    return list ? static_cast<unsigned int>(list->components.size()) : 0;
}

MStatus MFnComponentListData::clear() {
    auto* list = listOf(object_);
    if (!list)
        return MStatus::kFailure;
    list->components.clear();
    return MStatus::kSuccess;
}

MStatus MFnComponentListData::add(MObject& component) {
    auto* list = listOf(object_);
    if (!list || !ObjectAccess::as<Component>(component))
        return MStatus::kInvalidParameter;
    list->components.push_back(component);
    return MStatus::kSuccess;
}

bool MFnComponentListData::has(const MObject& component, MStatus* ReturnStatus) const {
    auto* list = listOf(object_);
    report(ReturnStatus, list ? MStatus::kSuccess : MStatus::kFailure);
    if (!list)
        return false;
    MFnComponent wanted(component);
    return std::any_of(list->components.begin(), list->components.end(), [&](const MObject& held) {
        return held == component || wanted.isEqual(held);
    });
}

MStatus MFnComponentListData::remove(const MObject& component) {
    auto* list = listOf(object_);
    if (!list)
        return MStatus::kFailure;
    auto& all = list->components;
    auto it = std::find(all.begin(), all.end(), component);
    if (it == all.end())
        return MStatus::kInvalidParameter;
    all.erase(it);
    return MStatus::kSuccess;
}

MStatus MFnComponentListData::remove(unsigned int index) {
    auto* list = listOf(object_);
    if (!list || index >= list->components.size())
        return MStatus::kInvalidParameter;
    list->components.erase(list->components.begin() + index);
    return MStatus::kSuccess;
}

MObject MFnComponentListData::operator[](unsigned int index) const {
    auto* list = listOf(object_);
    return list && index < list->components.size() ? list->components[index] : MObject();
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
