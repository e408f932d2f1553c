#pragma once

#include <iosfwd>
#include <vector>

#include <maya/MStatus.h>
#include <maya/MString.h>

class MStringArray {
public:
    MStringArray() = default;
    MStringArray(const MStringArray&) = default;
    MStringArray(const MString* strings, unsigned int count);
    MStringArray(const char* strings[], unsigned int count);
    MStringArray(unsigned int initialSize, const MString& initialValue);
    ~MStringArray() = default;

    MStringArray& operator=(const MStringArray&) = default;
    const MString& operator[](unsigned int index) const { return items_[index]; }
    MString& operator[](unsigned int index) { return items_[index]; }

    MStatus set(const MString& element, unsigned int index);
    MStatus set(const char* element, unsigned int index);
    MStatus setLength(unsigned int length);
    unsigned int length() const { return static_cast<unsigned int>(items_.size()); }
    MStatus remove(unsigned int index);
    MStatus insert(const MString& element, unsigned int index);
    MStatus append(const MString& element);
    MStatus clear();
    MStatus get(MString array[]) const;
    void setSizeIncrement(unsigned int) {}
    unsigned int sizeIncrement() const { return 1; }

    friend std::ostream& operator<<(std::ostream& out, const MStringArray& array);

private:
    std::vector<MString> items_;
};
