#include "dg/Attribute.h"

#include <maya/MFnData.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>

namespace mayasim {

namespace {

MFn::Type compoundNumericType(const Attribute& attr) {
    switch (attr.numericType) {
        case MFnNumericData::k2Double:
            return MFn::kAttribute2Double;
        case MFnNumericData::k2Float:
            return MFn::kAttribute2Float;
        case MFnNumericData::k2Int:
            return MFn::kAttribute2Int;
        case MFnNumericData::k3Float:
            return MFn::kAttribute3Float;
        case MFnNumericData::k3Int:
            return MFn::kAttribute3Int;
        case MFnNumericData::k4Double:
            return MFn::kAttribute4Double;
        default:
            return MFn::kAttribute3Double;
    }
}

}  // namespace

MFn::Type Attribute::apiType() const {
    switch (kind) {
        case AttrKind::kNumeric:
            return isCompound() ? compoundNumericType(*this) : MFn::kNumericAttribute;
        case AttrKind::kUnit:
            if (unitType == MFnUnitAttribute::kAngle)
                return MFn::kDoubleAngleAttribute;
            if (unitType == MFnUnitAttribute::kDistance)
                return MFn::kDoubleLinearAttribute;
            return MFn::kTimeAttribute;
        case AttrKind::kEnum:
            return MFn::kEnumAttribute;
        case AttrKind::kMessage:
            return MFn::kMessageAttribute;
        case AttrKind::kTyped:
            return dataType == MFnData::kMatrix ? MFn::kMatrixAttribute : MFn::kTypedAttribute;
        case AttrKind::kCompound:
            return MFn::kCompoundAttribute;
    }
    return MFn::kAttribute;
}

bool Attribute::hasFn(MFn::Type type) const {
    if (type == MFn::kBase || type == MFn::kAttribute || type == apiType())
        return true;
    switch (kind) {
        case AttrKind::kNumeric:
            return type == MFn::kNumericAttribute ||
                   (isCompound() && type == MFn::kCompoundAttribute);
        case AttrKind::kUnit:
            return type == MFn::kUnitAttribute;
        case AttrKind::kTyped:
            return type == MFn::kTypedAttribute;
        default:
            return false;
    }
}

int Attribute::childIndex(const Attribute* child) const {
    for (size_t i = 0; i < children.size(); ++i) {
        if (children[i].get() == child)
            return static_cast<int>(i);
    }
    return -1;
}

Attribute* attributeOf(const MObject& handle) {
    return ObjectAccess::as<Attribute>(handle);
}

}  // namespace mayasim
