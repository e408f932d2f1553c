#pragma once
// A handle on the elements of an array attribute in a data block.

#include <vector>

#include <maya/MDataHandle.h>
#include <maya/MStatus.h>

class MArrayDataHandle {
public:
    MArrayDataHandle() = default;
    MArrayDataHandle(const MDataHandle& in, MStatus* ReturnStatus = NULL);
    MArrayDataHandle(const MArrayDataHandle&) = default;
    MArrayDataHandle& operator=(const MArrayDataHandle&) = default;

    MDataHandle inputValue(MStatus* ReturnStatus = NULL);
    MDataHandle outputValue(MStatus* ReturnStatus = NULL);
    MStatus jumpToElement(unsigned int logicalIndex);
    MStatus jumpToArrayElement(unsigned int physicalIndex);
    unsigned int elementCount(MStatus* ReturnStatus = NULL) const;
    unsigned int elementIndex(MStatus* ReturnStatus = NULL) const;
    MStatus next();
    MStatus setAllClean();
    MStatus setClean() { return setAllClean(); }

private:
    friend struct mayasim::DataAccess;
    MDataHandle elementHandle(bool input, MStatus* ReturnStatus);

    mayasim::Node* node_ = nullptr;
    const mayasim::Attribute* attr_ = nullptr;
    std::vector<int> indices_;
    unsigned int position_ = 0;
};
