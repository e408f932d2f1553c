#include <maya/MColor.h>

#include <algorithm>
#include <cmath>
#include <ostream>

const MColor MColor::kOpaqueBlack(0.0f, 0.0f, 0.0f, 1.0f);

namespace {

// Hue in degrees, saturation and value in [0, 1].
void hsvToRgb(float h, float s, float v, float& r, float& g, float& b) {
    if (s <= 0.0f) {
        r = g = b = v;
        return;
    }
    float sector = std::fmod(h, 360.0f);
    if (sector < 0.0f)
        sector += 360.0f;
    sector /= 60.0f;
    const int i = static_cast<int>(std::floor(sector)) % 6;
    const float f = sector - std::floor(sector);
    const float p = v * (1.0f - s);
    const float q = v * (1.0f - s * f);
    const float t = v * (1.0f - s * (1.0f - f));
    switch (i) {
        case 0:
            r = v, g = t, b = p;
            break;
        case 1:
            r = q, g = v, b = p;
            break;
        case 2:
            r = p, g = v, b = t;
            break;
        case 3:
            r = p, g = q, b = v;
            break;
        case 4:
            r = t, g = p, b = v;
            break;
        default:
            r = v, g = p, b = q;
            break;
    }
}

void rgbToHsv(float r, float g, float b, float& h, float& s, float& v) {
    const float largest = std::max({r, g, b});
    const float smallest = std::min({r, g, b});
    const float range = largest - smallest;
    v = largest;
    s = largest > 0.0f ? range / largest : 0.0f;
    if (range <= 0.0f) {
        h = 0.0f;
        return;
    }
    if (largest == r)
        h = 60.0f * std::fmod((g - b) / range, 6.0f);
    else if (largest == g)
        h = 60.0f * ((b - r) / range + 2.0f);
    else
        h = 60.0f * ((r - g) / range + 4.0f);
    if (h < 0.0f)
        h += 360.0f;
}

}  // namespace

MColor::MColor(MColorType colorModel, unsigned char c1, unsigned char c2, unsigned char c3,
               unsigned char alpha) {
    const float hueScale = colorModel == kHSV ? 360.0f : 1.0f;
    set(colorModel, c1 / 255.0f * hueScale, c2 / 255.0f, c3 / 255.0f, alpha / 255.0f);
}

MColor::MColor(MColorType colorModel, unsigned short c1, unsigned short c2, unsigned short c3,
               unsigned short alpha) {
    const float hueScale = colorModel == kHSV ? 360.0f : 1.0f;
    set(colorModel, c1 / 65535.0f * hueScale, c2 / 65535.0f, c3 / 65535.0f, alpha / 65535.0f);
}

MColor::MColor(MColorType colorModel, float c1, float c2, float c3, float alpha) {
    set(colorModel, c1, c2, c3, alpha);
}

MColor::MColor(MColorType colorModel, double c1, double c2, double c3, double alpha) {
    set(colorModel, static_cast<float>(c1), static_cast<float>(c2), static_cast<float>(c3),
        static_cast<float>(alpha));
}

float MColor::operator()(unsigned int i) const {
    switch (i) {
        case 0:
            return r;
        case 1:
            return g;
        case 2:
            return b;
        default:
            return a;
    }
}

float& MColor::operator()(unsigned int i) {
    switch (i) {
        case 0:
            return r;
        case 1:
            return g;
        case 2:
            return b;
        default:
            return a;
    }
}

MColor& MColor::operator*=(float scalar) {
    r *= scalar;
    g *= scalar;
    b *= scalar;
    a *= scalar;
    return *this;
}

MColor MColor::operator*(float scalar) const {
    MColor result(*this);
    return result *= scalar;
}

MColor& MColor::operator*=(const MColor& other) {
    r *= other.r;
    g *= other.g;
    b *= other.b;
    a *= other.a;
    return *this;
}

MColor MColor::operator*(const MColor& other) const {
    MColor result(*this);
    return result *= other;
}

MColor& MColor::operator/=(float scalar) {
    return *this *= 1.0f / scalar;
}

MColor MColor::operator/(float scalar) const {
    MColor result(*this);
    return result /= scalar;
}

MColor& MColor::operator+=(const MColor& other) {
    r += other.r;
    g += other.g;
    b += other.b;
    a += other.a;
    return *this;
}

MColor MColor::operator+(const MColor& other) const {
    MColor result(*this);
    return result += other;
}

MColor MColor::operator-() const {
    return MColor(-r, -g, -b, -a);
}

MColor MColor::operator-(const MColor& other) const {
    return *this + -other;
}

bool MColor::operator==(const MColor& other) const {
    return r == other.r && g == other.g && b == other.b && a == other.a;
}

MColor operator*(float scalar, const MColor& other) {
    return other * scalar;
}

bool MColor::get(float d[3]) const {
    d[0] = r;
    d[1] = g;
    d[2] = b;
    return true;
}

bool MColor::get(MColorType colorModel, float& c1, float& c2, float& c3) const {
    switch (colorModel) {
        case kRGB:
            c1 = r, c2 = g, c3 = b;
            return true;
        case kHSV:
            rgbToHsv(r, g, b, c1, c2, c3);
            return true;
        case kCMY:
            c1 = 1.0f - r, c2 = 1.0f - g, c3 = 1.0f - b;
            return true;
        default:
            return false;
    }
}

bool MColor::get(MColorType colorModel, float& c1, float& c2, float& c3, float& alpha) const {
    if (!get(colorModel, c1, c2, c3))
        return false;
    alpha = a;
    return true;
}

// Four-component CMYK has no three-value form, so it is refused and the colour kept.
bool MColor::set(MColorType colorModel, float c1, float c2, float c3, float alpha) {
    switch (colorModel) {
        case kRGB:
            r = c1, g = c2, b = c3;
            break;
        case kHSV:
            hsvToRgb(c1, c2, c3, r, g, b);
            break;
        case kCMY:
            r = 1.0f - c1, g = 1.0f - c2, b = 1.0f - c3;
            break;
        default:
            return false;
    }
    a = alpha;
    return true;
}

std::ostream& operator<<(std::ostream& os, const MColor& c) {
    return os << "[" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << "]";
}
