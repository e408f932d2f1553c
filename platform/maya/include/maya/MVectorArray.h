#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>
#include <maya/MVector.h>

class MVectorArray {
public:
    MVectorArray() = default;
    MVectorArray(const MVectorArray&) = default;
    MVectorArray(const MVector src[], unsigned int count);
    MVectorArray(const double src[][3], unsigned int count);
    MVectorArray(const float src[][3], unsigned int count);
    MVectorArray(unsigned int initialSize, const MVector& initialValue = MVector::zero);
    ~MVectorArray() = default;

    MVectorArray& operator=(const MVectorArray&) = default;
    const MVector& operator[](unsigned int index) const { return items_[index]; }
    MVector& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MVector& element, unsigned int index);
    MStatus set(double element[3], unsigned int index);
    MStatus set(float element[3], unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MVector& element, unsigned int index);
    MStatus append(const MVector& element);
    MStatus copy(const MVectorArray& source);
    MStatus clear();
    MStatus get(double dest[][3]) const;
    MStatus get(float dest[][3]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MVectorArray& array);

private:
    std::vector<MVector> items_;
};
