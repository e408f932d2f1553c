#include <maya/MSelectionMask.h>

namespace {

void report(MStatus* out, bool valid) {
    if (out)
        *out = valid ? MS::kSuccess : MS::kInvalidParameter;
}

bool valid(MSelectionMask::SelectionType type) {
    return type >= MSelectionMask::kSelectHandles && type <= MSelectionMask::kSelectNParticles;
}

}  // namespace

MSelectionMask::Bits MSelectionMask::bitsOf(SelectionType type) {
    Bits bits;
    auto range = [&](SelectionType first, SelectionType last) {
        for (int t = first; t <= last; ++t)
            bits.set(static_cast<size_t>(t));
    };
    switch (type) {
        case kSelectObjectsMask:
            range(kSelectHandles, kSelectLocators);
            range(kSelectFluids, kSelectDynamicConstraints);
            break;
        case kSelectComponentsMask:
            range(kSelectCVs, kSelectSelectHandles);
            bits.set(kSelectNParticles);
            break;
        case kSelectMeshComponents:
            range(kSelectMeshVerts, kSelectMeshLines);
            break;
        case kSelectAnimMask:
        case kSelectAnimAny:
            range(kSelectAnimCurves, kSelectAnimOutTangents);
            break;
        default:
            if (valid(type))
                bits.set(static_cast<size_t>(type));
            break;
    }
    return bits;
}

MSelectionMask::MSelectionMask(SelectionType selType) : bits_(bitsOf(selType)) {}

MStatus MSelectionMask::setMask(SelectionType selType) {
    if (!valid(selType))
        return MS::kInvalidParameter;
    bits_ = bitsOf(selType);
    return MS::kSuccess;
}

MStatus MSelectionMask::setMask(MSelectionMask& mask) {
    bits_ = mask.bits_;
    return MS::kSuccess;
}

MStatus MSelectionMask::addMask(SelectionType selType) {
    if (!valid(selType))
        return MS::kInvalidParameter;
    bits_ |= bitsOf(selType);
    return MS::kSuccess;
}

bool MSelectionMask::intersects(SelectionType selType, MStatus* ReturnStatus) const {
    report(ReturnStatus, valid(selType));
    return (bits_ & bitsOf(selType)).any();
}

bool MSelectionMask::intersects(MSelectionMask& mask, MStatus* ReturnStatus) const {
    report(ReturnStatus, true);
    return (bits_ & mask.bits_).any();
}

MSelectionMask MSelectionMask::operator|(SelectionType selType) {
    MSelectionMask combined(*this);
    combined.addMask(selType);
    return combined;
}

MSelectionMask MSelectionMask::operator|(MSelectionMask& mask) {
    MSelectionMask combined(*this);
    combined.bits_ |= mask.bits_;
    return combined;
}
