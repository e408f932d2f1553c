#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MFloatVector.h>
#include <maya/MStatus.h>

class MFloatVectorArray {
public:
    MFloatVectorArray() = default;
    MFloatVectorArray(const MFloatVectorArray&) = default;
    MFloatVectorArray(const MFloatVector src[], unsigned int count);
    MFloatVectorArray(const double src[][3], unsigned int count);
    MFloatVectorArray(const float src[][3], unsigned int count);
    MFloatVectorArray(unsigned int initialSize,
                      const MFloatVector& initialValue = MFloatVector::zero);
    ~MFloatVectorArray() = default;

    MFloatVectorArray& operator=(const MFloatVectorArray&) = default;
    const MFloatVector& operator[](unsigned int index) const { return items_[index]; }
    MFloatVector& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MFloatVector& element, unsigned int index);
    MStatus set(double element[3], unsigned int index);
    MStatus set(float element[3], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MFloatVector& element, unsigned int index);
    MStatus append(const MFloatVector& element);
    MStatus copy(const MFloatVectorArray& source);
    MStatus clear();
    MStatus get(double dest[][3]) const;
    MStatus get(float dest[][3]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MFloatVectorArray& array);

private:
    std::vector<MFloatVector> items_;
};
