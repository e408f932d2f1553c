#pragma once
// An axis-aligned box. A default box is empty: it contains nothing until expanded.

#include <maya/MPoint.h>
#include <maya/MTypes.h>

class MMatrix;

class MBoundingBox {
public:
    MBoundingBox() = default;
    MBoundingBox(const MBoundingBox&) = default;
    MBoundingBox(const MPoint& corner1, const MPoint& corner2);
    ~MBoundingBox() = default;
    MBoundingBox& operator=(const MBoundingBox&) = default;

    void clear();
    // Replaces the box by the box around its eight transformed corners.
    void transformUsing(const MMatrix& matrix);
    void expand(const MPoint& point);
    void expand(const MBoundingBox& box);
    bool contains(const MPoint& point) const;
    bool intersects(const MBoundingBox& box, double tol = 0.0) const;

    double width() const;
    double height() const;
    double depth() const;
    MPoint center() const;
    MPoint min() const;
    MPoint max() const;

private:
    bool empty_ = true;
    MPoint min_;
    MPoint max_;
};
