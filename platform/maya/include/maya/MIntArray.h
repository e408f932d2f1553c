#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>

class MIntArray {
public:
    MIntArray() = default;
    MIntArray(const MIntArray&) = default;
    MIntArray(const int src[], unsigned int count);
    MIntArray(unsigned int initialSize, int initialValue = 0);
    ~MIntArray() = default;

    MIntArray& operator=(const MIntArray&) = default;
    int operator[](unsigned int index) const { return items_[index]; }
    int& operator[](unsigned int index) { return items_[index]; }

    MStatus set(int element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(int element, unsigned int index);
    MStatus append(int element);
    MStatus clear();
    MStatus copy(const MIntArray& source);
    MStatus get(int array[]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MIntArray& array);

private:
    std::vector<int> items_;
};
