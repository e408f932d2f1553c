#include <mayasim/Value.h>

#include <charconv>
#include <cstdlib>

namespace mayasim {
namespace {

double numberOf(const std::string& text) {
    return std::strtod(text.c_str(), nullptr);
}

template <typename T, typename F>
std::string joined(const std::vector<T>& items, F format, const char* separator) {
    std::string out;
    for (size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += separator;
        out += format(items[i]);
    }
    return out;
}

}  // namespace

std::string formatMelDouble(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

std::string quoteMel(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"':
                out += "\\\"";
                break;
            case '\\':
                out += "\\\\";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\t':
                out += "\\t";
                break;
            default:
                out += c;
        }
    }
    return out + "\"";
}

Value::Value(int value) : kind_(Kind::kInt), int_(value) {}
Value::Value(bool value) : kind_(Kind::kInt), int_(value ? 1 : 0) {}
Value::Value(double value) : kind_(Kind::kDouble), double_(value) {}
Value::Value(const char* value) : kind_(Kind::kString), string_(value ? value : "") {}
Value::Value(std::string value) : kind_(Kind::kString), string_(std::move(value)) {}
Value::Value(std::vector<int> values) : kind_(Kind::kIntArray), ints_(std::move(values)) {}
Value::Value(std::vector<double> values) : kind_(Kind::kDoubleArray), doubles_(std::move(values)) {}
Value::Value(std::vector<std::string> values)
    : kind_(Kind::kStringArray), strings_(std::move(values)) {}

bool Value::isArray() const {
    return kind_ == Kind::kIntArray || kind_ == Kind::kDoubleArray || kind_ == Kind::kStringArray;
}

int Value::asInt() const {
    switch (kind_) {
        case Kind::kInt:
            return int_;
        case Kind::kDouble:
            return static_cast<int>(double_);
        case Kind::kString:
            return static_cast<int>(numberOf(string_));
        default:
            return size() ? Value(asDoubleArray().front()).asInt() : 0;
    }
}

double Value::asDouble() const {
    switch (kind_) {
        case Kind::kInt:
            return int_;
        case Kind::kDouble:
            return double_;
        case Kind::kString:
            return numberOf(string_);
        default:
            return size() ? asDoubleArray().front() : 0.0;
    }
}

std::string Value::asString() const {
    switch (kind_) {
        case Kind::kNone:
            return {};
        case Kind::kInt:
            return std::to_string(int_);
        case Kind::kDouble:
            return formatMelDouble(double_);
        case Kind::kString:
            return string_;
        default:
            return toMel();
    }
}

std::vector<int> Value::asIntArray() const {
    switch (kind_) {
        case Kind::kNone:
            return {};
        case Kind::kIntArray:
            return ints_;
        case Kind::kDoubleArray:
            return std::vector<int>(doubles_.begin(), doubles_.end());
        case Kind::kStringArray: {
            std::vector<int> out;
            for (const auto& s : strings_)
                out.push_back(static_cast<int>(numberOf(s)));
            return out;
        }
        default:
            return {asInt()};
    }
}

std::vector<double> Value::asDoubleArray() const {
    switch (kind_) {
        case Kind::kNone:
            return {};
        case Kind::kIntArray:
            return std::vector<double>(ints_.begin(), ints_.end());
        case Kind::kDoubleArray:
            return doubles_;
        case Kind::kStringArray: {
            std::vector<double> out;
            for (const auto& s : strings_)
                out.push_back(numberOf(s));
            return out;
        }
        default:
            return {asDouble()};
    }
}

std::vector<std::string> Value::asStringArray() const {
    switch (kind_) {
        case Kind::kNone:
            return {};
        case Kind::kIntArray: {
            std::vector<std::string> out;
            for (int i : ints_)
                out.push_back(std::to_string(i));
            return out;
        }
        case Kind::kDoubleArray: {
            std::vector<std::string> out;
            for (double d : doubles_)
                out.push_back(formatMelDouble(d));
            return out;
        }
        case Kind::kStringArray:
            return strings_;
        default:
            return {asString()};
    }
}

bool Value::isTrue() const {
    switch (kind_) {
        case Kind::kNone:
            return false;
        case Kind::kInt:
            return int_ != 0;
        case Kind::kDouble:
            return double_ != 0.0;
        case Kind::kString:
            return !string_.empty();
        default:
            return size() != 0;
    }
}

size_t Value::size() const {
    switch (kind_) {
        case Kind::kNone:
            return 0;
        case Kind::kIntArray:
            return ints_.size();
        case Kind::kDoubleArray:
            return doubles_.size();
        case Kind::kStringArray:
            return strings_.size();
        default:
            return 1;
    }
}

void Value::append(const Value& item) {
    if (item.isNone())
        return;
    auto isText = [](Kind k) { return k == Kind::kString || k == Kind::kStringArray; };
    auto isInts = [](Kind k) {
        return k == Kind::kNone || k == Kind::kInt || k == Kind::kIntArray;
    };
    if (isText(kind_) || isText(item.kind_)) {
        std::vector<std::string> merged = asStringArray();
        for (auto& s : item.asStringArray())
            merged.push_back(s);
        *this = Value(std::move(merged));
    } else if (isInts(kind_) && isInts(item.kind_)) {
        std::vector<int> merged = asIntArray();
        for (int i : item.asIntArray())
            merged.push_back(i);
        *this = Value(std::move(merged));
    } else {
        std::vector<double> merged = asDoubleArray();
        for (double d : item.asDoubleArray())
            merged.push_back(d);
        *this = Value(std::move(merged));
    }
}

std::string Value::toMel() const {
    switch (kind_) {
        case Kind::kIntArray:
            return joined(
                ints_, [](int i) { return std::to_string(i); }, " ");
        case Kind::kDoubleArray:
            return joined(doubles_, formatMelDouble, " ");
        case Kind::kStringArray:
            return joined(
                strings_, [](const std::string& s) { return s; }, " ");
        default:
            return asString();
    }
}

std::string Value::toMelLiteral() const {
    switch (kind_) {
        case Kind::kNone:
            return "\"\"";
        case Kind::kString:
            return quoteMel(string_);
        case Kind::kIntArray:
            return "{" +
                   joined(
                       ints_, [](int i) { return std::to_string(i); }, ", ") +
                   "}";
        case Kind::kDoubleArray:
            return "{" + joined(doubles_, formatMelDouble, ", ") + "}";
        case Kind::kStringArray:
            return "{" + joined(strings_, quoteMel, ", ") + "}";
        default:
            return asString();
    }
}

bool Value::operator==(const Value& other) const {
    if (kind_ != other.kind_)
        return false;
    switch (kind_) {
        case Kind::kNone:
            return true;
        case Kind::kInt:
            return int_ == other.int_;
        case Kind::kDouble:
            return double_ == other.double_;
        case Kind::kString:
            return string_ == other.string_;
        case Kind::kIntArray:
            return ints_ == other.ints_;
        case Kind::kDoubleArray:
            return doubles_ == other.doubles_;
        case Kind::kStringArray:
            return strings_ == other.strings_;
    }
    return false;
}

}  // namespace mayasim
