#include <maya/MString.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <ostream>

#include <maya/MStringArray.h>

namespace {

// Shortest text that reads back as the same double, so results print as "0.1", not
// "0.10000000000000001".
std::string formatDouble(double value) {
    char buffer[64];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    return std::string(buffer, result.ptr);
}

void appendUtf8(std::string& out, wchar_t wc) {
    auto c = static_cast<unsigned long>(wc);
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string trimmed(const std::string& text) {
    auto first = text.find_first_not_of(" \t\n\r");
    if (first == std::string::npos)
        return {};
    auto last = text.find_last_not_of(" \t\n\r");
    return text.substr(first, last - first + 1);
}

bool parseLong(const std::string& text, long& value) {
    std::string body = trimmed(text);
    if (body.empty())
        return false;
    const char* begin = body.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtol(begin, &end, 10);
    return errno == 0 && end != begin && *end == '\0';
}

bool parseDouble(const std::string& text, double& value) {
    std::string body = trimmed(text);
    if (body.empty())
        return false;
    const char* begin = body.c_str();
    char* end = nullptr;
    errno = 0;
    value = std::strtod(begin, &end);
    return errno == 0 && end != begin && *end == '\0';
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

// $VAR, ${VAR} and a leading ~ as a shell would; unknown variables stay as written.
std::string expandVariables(const std::string& text) {
    std::string out;
    size_t i = 0;
    if (!text.empty() && text[0] == '~' && (text.size() == 1 || text[1] == '/')) {
        const char* home = std::getenv("HOME");
        out = home ? home : "~";
        i = 1;
    }
    while (i < text.size()) {
        if (text[i] != '$') {
            out += text[i++];
            continue;
        }
        size_t nameStart = i + 1;
        size_t nameEnd = nameStart;
        size_t next = nameStart;
        if (nameStart < text.size() && text[nameStart] == '{') {
            nameEnd = text.find('}', nameStart + 1);
            if (nameEnd == std::string::npos) {
                out += text.substr(i);
                break;
            }
            next = nameEnd + 1;
            ++nameStart;
        } else {
            while (nameEnd < text.size() && isNameChar(text[nameEnd]))
                ++nameEnd;
            next = nameEnd;
        }
        std::string name = text.substr(nameStart, nameEnd - nameStart);
        const char* value = name.empty() ? nullptr : std::getenv(name.c_str());
        out += value ? std::string(value) : text.substr(i, next - i);
        i = next;
    }
    return out;
}

}  // namespace

MString::MString(const char* text) : text_(text ? text : "") {}

MString::MString(const wchar_t* text) {
    for (; text && *text; ++text)
        appendUtf8(text_, *text);
}

MString::MString(const char* text, int charLength) {
    if (text && charLength > 0)
        text_.assign(text, static_cast<size_t>(charLength));
}

MString::MString(const wchar_t* text, int charLength) {
    for (int i = 0; text && i < charLength; ++i)
        appendUtf8(text_, text[i]);
}

MString& MString::operator=(const char* text) {
    text_ = text ? text : "";
    return *this;
}

MString& MString::operator=(double value) {
    text_ = formatDouble(value);
    return *this;
}

MString& MString::operator+=(const MString& other) {
    text_ += other.text_;
    return *this;
}

MString& MString::operator+=(const char* text) {
    if (text)
        text_ += text;
    return *this;
}

MString& MString::operator+=(double value) {
    text_ += formatDouble(value);
    return *this;
}

MString& MString::operator+=(int value) {
    text_ += std::to_string(value);
    return *this;
}

MString& MString::operator+=(unsigned int value) {
    text_ += std::to_string(value);
    return *this;
}

MString& MString::operator+=(float value) {
    char buffer[32];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), value);
    text_.append(buffer, result.ptr);
    return *this;
}

bool MString::operator==(const char* text) const {
    return text_ == (text ? text : "");
}

MString MString::operator+(const MString& other) const {
    MString sum(*this);
    return sum += other;
}

MString MString::operator+(const char* text) const {
    MString sum(*this);
    return sum += text;
}

MString MString::operator+(double value) const {
    MString sum(*this);
    return sum += value;
}

MString operator+(const char* text, const MString& string) {
    return MString(text) += string;
}

std::ostream& operator<<(std::ostream& out, const MString& string) {
    return out << string.text_;
}

MStatus MString::set(const char* text) {
    *this = text;
    return MStatus::kSuccess;
}

MStatus MString::set(const char* text, int charLength) {
    *this = MString(text, charLength);
    return MStatus::kSuccess;
}

MStatus MString::set(double value) {
    *this = value;
    return MStatus::kSuccess;
}

MStatus MString::set(double value, int precision) {
    char buffer[512];
    std::snprintf(buffer, sizeof(buffer), "%.*f", std::max(0, precision), value);
    text_ = buffer;
    return MStatus::kSuccess;
}

const char* MString::asChar(int& charLength) const {
    charLength = static_cast<int>(text_.size());
    return text_.c_str();
}

unsigned int MString::numChars() const {
    return static_cast<unsigned int>(std::count_if(text_.begin(), text_.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

int MString::index(char c) const {
    auto pos = text_.find(c);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

int MString::rindex(char c) const {
    auto pos = text_.rfind(c);
    return pos == std::string::npos ? -1 : static_cast<int>(pos);
}

MString MString::substring(int start, int end) const {
    const int size = static_cast<int>(text_.size());
    start = std::max(start, 0);
    end = std::min(end, size - 1);
    if (start > end)
        return MString();
    MString part;
    part.text_ = text_.substr(static_cast<size_t>(start), static_cast<size_t>(end - start + 1));
    return part;
}

MStatus MString::split(char separator, MStringArray& parts) const {
    parts.clear();
    size_t start = 0;
    while (start <= text_.size()) {
        size_t end = text_.find(separator, start);
        if (end == std::string::npos)
            end = text_.size();
        if (end > start)
            parts.append(MString(text_.substr(start, end - start).c_str()));
        start = end + 1;
    }
    return MStatus::kSuccess;
}

MString& MString::toUpperCase() {
    for (char& c : text_)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return *this;
}

MString& MString::toLowerCase() {
    for (char& c : text_)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return *this;
}

bool MString::isShort() const {
    long value = 0;
    return parseLong(text_, value) && value >= SHRT_MIN && value <= SHRT_MAX;
}

short MString::asShort() const {
    return static_cast<short>(asInt());
}

bool MString::isInt() const {
    long value = 0;
    return parseLong(text_, value) && value >= INT_MIN && value <= INT_MAX;
}

int MString::asInt() const {
    long value = 0;
    if (parseLong(text_, value))
        return static_cast<int>(value);
    return static_cast<int>(std::strtol(text_.c_str(), nullptr, 10));
}

bool MString::isUnsigned() const {
    long value = 0;
    return parseLong(text_, value) && value >= 0 && value <= static_cast<long>(UINT_MAX);
}

unsigned int MString::asUnsigned() const {
    return static_cast<unsigned int>(asInt());
}

bool MString::isFloat() const {
    return isDouble();
}
float MString::asFloat() const {
    return static_cast<float>(asDouble());
}

bool MString::isDouble() const {
    double value = 0;
    return parseDouble(text_, value);
}

double MString::asDouble() const {
    return std::strtod(text_.c_str(), nullptr);
}

MString MString::expandFilePath(MStatus* ReturnStatus) const {
    // Paths from the Windows side arrive with backslashes; Maya hands back forward slashes.
    std::string path = expandVariables(text_);
    std::replace(path.begin(), path.end(), '\\', '/');
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return MString(path.c_str());
}

MString MString::expandEnvironmentVariablesAndTilde(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MStatus::kSuccess;
    return MString(expandVariables(text_).c_str());
}
