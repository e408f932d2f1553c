#pragma once
// An RGBA colour in floats; other colour models convert on the way in and out.

#include <iosfwd>

#include <maya/MTypes.h>

class MColor {
public:
    enum MColorType { kRGB, kHSV, kCMY, kCMYK };

    MColor() = default;
    MColor(const MColor&) = default;
    MColor(float rr, float gg, float bb = 0.0, float aa = 1.0) : r(rr), g(gg), b(bb), a(aa) {}
    MColor(const float d[3]) : r(d[0]), g(d[1]), b(d[2]) {}
    MColor(float alpha) : a(alpha) {}
    // Hue in degrees [0, 360), saturation and value in [0, 1]; byte and short forms are
    // scaled from their full range.
    MColor(MColorType colorModel, unsigned char c1, unsigned char c2, unsigned char c3,
           unsigned char alpha = 255U);
    MColor(MColorType colorModel, unsigned short c1, unsigned short c2, unsigned short c3,
           unsigned short alpha = 65535U);
    MColor(MColorType colorModel, float c1, float c2, float c3, float alpha = 1.0);
    MColor(MColorType colorModel, double c1, double c2, double c3, double alpha = 1.0);
    ~MColor() = default;

    MColor& operator=(const MColor&) = default;
    float operator()(unsigned int i) const;
    float operator[](unsigned int i) const { return (*this)(i); }
    float& operator()(unsigned int i);
    float& operator[](unsigned int i) { return (*this)(i); }

    // Arithmetic applies to all four channels.
    MColor& operator*=(float scalar);
    MColor operator*(float scalar) const;
    MColor& operator*=(const MColor& other);
    MColor operator*(const MColor& other) const;
    MColor& operator/=(float scalar);
    MColor operator/(float scalar) const;
    MColor& operator+=(const MColor& other);
    MColor operator+(const MColor& other) const;
    MColor operator-() const;
    MColor operator-(const MColor& other) const;
    bool operator==(const MColor& other) const;
    bool operator!=(const MColor& other) const { return !(*this == other); }

    bool get(float d[3]) const;
    bool get(MColorType colorModel, float& c1, float& c2, float& c3) const;
    bool get(MColorType colorModel, float& c1, float& c2, float& c3, float& alpha) const;
    bool set(MColorType colorModel, float c1, float c2, float c3, float alpha = 1.0);

    friend MColor operator*(float scalar, const MColor& other);
    friend std::ostream& operator<<(std::ostream& os, const MColor& c);

    static const MColor kOpaqueBlack;

    float r = 0.0f;
    float g = 0.0f;
    float b = 0.0f;
    float a = 1.0f;
};

MColor operator*(float scalar, const MColor& other);
