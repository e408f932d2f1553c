#pragma once
// The unique 32-bit id of a node or data type: a 24-bit prefix and an 8-bit id.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MTypeId {
public:
    MTypeId() = default;
    MTypeId(unsigned int id) : id_(id) {}
    MTypeId(unsigned int prefix, unsigned int id) : id_((prefix << 8) | (id & 0xffu)) {}
    MTypeId(const MTypeId&) = default;
    ~MTypeId() = default;

    MTypeId& operator=(const MTypeId&) = default;
    bool operator==(const MTypeId& other) const { return id_ == other.id_; }
    bool operator!=(const MTypeId& other) const { return id_ != other.id_; }
    unsigned int id(MStatus* ReturnStatus = NULL) const;

private:
    unsigned int id_ = 0;
};
