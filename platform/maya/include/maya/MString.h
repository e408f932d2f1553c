#pragma once
// A byte string with Maya's conversions: numbers, substrings (inclusive end), splitting,
// and file path expansion.

#include <iosfwd>
#include <string>

#include <maya/MStatus.h>

class MStringArray;

class MString {
public:
    MString() = default;
    MString(const char* text);
    MString(const wchar_t* text);
    MString(const char* text, int charLength);
    MString(const wchar_t* text, int charLength);
    MString(const MString&) = default;
    MString(MString&&) noexcept = default;
    ~MString() = default;

    MString& operator=(const MString&) = default;
    MString& operator=(MString&&) noexcept = default;
    MString& operator=(const char* text);
    MString& operator=(double value);

    MString& operator+=(const MString& other);
    MString& operator+=(const char* text);
    MString& operator+=(double value);
    MString& operator+=(int value);
    MString& operator+=(unsigned int value);
    MString& operator+=(float value);

    bool operator==(const MString& other) const { return text_ == other.text_; }
    bool operator==(const char* text) const;
    bool operator!=(const MString& other) const { return !(*this == other); }
    bool operator!=(const char* text) const { return !(*this == text); }

    MString operator+(const MString& other) const;
    MString operator+(const char* text) const;
    MString operator+(double value) const;
    friend MString operator+(const char* text, const MString& string);
    friend std::ostream& operator<<(std::ostream& out, const MString& string);

    MStatus set(const char* text);
    MStatus set(const char* text, int charLength);
    MStatus set(double value);
    MStatus set(double value, int precision);

    const char* asChar() const { return text_.c_str(); }
    const char* asChar(int& charLength) const;
    const char* asUTF8() const { return text_.c_str(); }
    unsigned int length() const { return static_cast<unsigned int>(text_.size()); }
    unsigned int numChars() const;

    int index(char c) const;
    int rindex(char c) const;
    MString substring(int start, int end) const;
    MStatus split(char separator, MStringArray& parts) const;
    MString& toUpperCase();
    MString& toLowerCase();
    void clear() { text_.clear(); }

    bool isShort() const;
    short asShort() const;
    bool isInt() const;
    int asInt() const;
    bool isUnsigned() const;
    unsigned int asUnsigned() const;
    bool isFloat() const;
    float asFloat() const;
    bool isDouble() const;
    double asDouble() const;

    MString expandFilePath(MStatus* ReturnStatus = nullptr) const;
    MString expandEnvironmentVariablesAndTilde(MStatus* ReturnStatus = nullptr) const;

private:
    std::string text_;
};
