#pragma once
// A MEL/Python value: a command result or a variable.

#include <string>
#include <vector>

namespace mayasim {

class Value {
public:
    enum class Kind { kNone, kInt, kDouble, kString, kIntArray, kDoubleArray, kStringArray };

    Value() = default;
    Value(int value);
    Value(bool value);
    Value(double value);
    Value(const char* value);
    Value(std::string value);
    Value(std::vector<int> values);
    Value(std::vector<double> values);
    Value(std::vector<std::string> values);

    Kind kind() const { return kind_; }
    bool isNone() const { return kind_ == Kind::kNone; }
    bool isArray() const;
    bool isNumber() const { return kind_ == Kind::kInt || kind_ == Kind::kDouble; }

    // Conversions as MEL makes them: a string reads as a number when it is one, an array
    // as its first element (or its size in a condition: see isTrue).
    int asInt() const;
    double asDouble() const;
    std::string asString() const;
    std::vector<int> asIntArray() const;
    std::vector<double> asDoubleArray() const;
    std::vector<std::string> asStringArray() const;
    // Truth of a value in a condition: non-zero numbers, non-empty strings and arrays.
    bool isTrue() const;
    size_t size() const;

    // Appends as MPxCommand::appendToResult does: a scalar result becomes an array.
    void append(const Value& item);

    // As Maya's script editor prints a result: arrays space-separated, doubles shortest.
    std::string toMel() const;
    // A MEL literal that reads back as this value ("text" quoted and escaped, {1, 2}).
    std::string toMelLiteral() const;

    bool operator==(const Value& other) const;
    bool operator!=(const Value& other) const { return !(*this == other); }

private:
    Kind kind_ = Kind::kNone;
    int int_ = 0;
    double double_ = 0.0;
    std::string string_;
    std::vector<int> ints_;
    std::vector<double> doubles_;
    std::vector<std::string> strings_;
};

// Formats a double as MEL prints it: the shortest text that reads back the same.
std::string formatMelDouble(double value);
// Quotes a string as a MEL string literal.
std::string quoteMel(const std::string& text);

}  // namespace mayasim
