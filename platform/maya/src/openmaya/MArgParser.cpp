#include <maya/MArgParser.h>

#include <maya/MAngle.h>
#include <maya/MArgList.h>
#include <maya/MDistance.h>
#include <maya/MGlobal.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>
#include <maya/MTime.h>

#include <cctype>
#include <cstdlib>

#include "ArgConversion.h"
#include "SyntaxData.h"

namespace mayasim {

namespace {

bool isWordTrue(const std::string& word, bool& out) {
    if (word == "true" || word == "on" || word == "yes" || word == "1") {
        out = true;
        return true;
    }
    if (word == "false" || word == "off" || word == "no" || word == "0") {
        out = false;
        return true;
    }
    return false;
}

bool parseNumber(const std::string& text, double& out) {
    if (text.empty())
        return false;
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end && *end == '\0';
}

// A word that names a flag: '-' and a letter ("-1" and "-.5" are numbers).
bool looksLikeFlag(const Value& value) {
    if (value.kind() != Value::Kind::kString)
        return false;
    const std::string text = value.asString();
    return text.size() >= 2 && text[0] == '-' && std::isalpha(static_cast<unsigned char>(text[1]));
}

const char* typeWord(MSyntax::MArgType type) {
    switch (type) {
        case MSyntax::kBoolean:
            return "a boolean";
        case MSyntax::kLong:
        case MSyntax::kUnsigned:
            return "an integer";
        case MSyntax::kDouble:
        case MSyntax::kDistance:
        case MSyntax::kAngle:
        case MSyntax::kTime:
            return "a float";
        default:
            return "a string";
    }
}

// Converts `value` to the form the type asks for; false if it cannot be read that way.
bool convert(MSyntax::MArgType type, const Value& value, Value& out) {
    switch (type) {
        case MSyntax::kBoolean: {
            bool b = false;
            if (!toBool(value, b))
                return false;
            out = Value(b);
            return true;
        }
        case MSyntax::kLong:
        case MSyntax::kUnsigned: {
            int i = 0;
            if (!toInt(value, i) || (type == MSyntax::kUnsigned && i < 0))
                return false;
            out = Value(i);
            return true;
        }
        case MSyntax::kDouble:
        case MSyntax::kDistance:
        case MSyntax::kAngle:
        case MSyntax::kTime: {
            double d = 0;
            if (!toDouble(value, d))
                return false;
            out = Value(d);
            return true;
        }
        default:
            if (value.isArray())
                return false;
            out = Value(value.asString());
            return true;
    }
}

void fail(MStatus& status, const std::string& message) {
    MGlobal::displayError(MString(message.c_str()));
    status = MS::kInvalidParameter;
}

std::string plural(size_t n, const char* word) {
    return std::to_string(n) + " " + word + (n == 1 ? "" : "s");
}

class Parser {
public:
    Parser(const SyntaxData& syntax, const std::vector<Value>& items, ParsedArgs& out)
        : syntax_(syntax), items_(items), out_(out) {}

    MStatus run() {
        MStatus status;
        std::vector<std::pair<Value, unsigned int>> positional;
        for (size_t i = 0; i < items_.size() && status;) {
            if (looksLikeFlag(items_[i])) {
                status = takeFlag(i);
            } else {
                positional.emplace_back(items_[i], static_cast<unsigned int>(i));
                ++i;
            }
        }
        if (status)
            status = takePositional(positional);
        return status;
    }

private:
    MStatus takeFlag(size_t& i) {
        MStatus status;
        const std::string name = items_[i].asString();
        if (syntax_.query && (name == "-q" || name == "-query")) {
            out_.query = true;
            ++i;
            return status;
        }
        if (syntax_.edit && (name == "-e" || name == "-edit")) {
            out_.edit = true;
            ++i;
            return status;
        }
        const SyntaxFlagData* flag = syntax_.findFlag(name);
        if (!flag) {
            fail(status, "Invalid flag '" + name + "'");
            return status;
        }
        if (!flag->multiUse && !out_.usesOf(name.c_str()).empty()) {
            fail(status, "Flag '" + name + "' can only be used once");
            return status;
        }
        FlagUse use;
        use.flag = flag;
        ++i;
        const bool wantsArgs = !out_.query || flag->queryWithArgs;
        for (size_t k = 0; wantsArgs && k < flag->types.size(); ++k) {
            const bool optional = out_.query && flag->queryArgsOptional;
            if (i >= items_.size() ||
                (looksLikeFlag(items_[i]) && flag->types[k] != MSyntax::kString)) {
                if (optional)
                    break;
                fail(status, "Flag '" + name + "' must be passed " +
                                 plural(flag->types.size(), "argument"));
                return status;
            }
            Value converted;
            if (!convert(flag->types[k], items_[i], converted)) {
                fail(status, "Flag '" + name + "' must be passed " + typeWord(flag->types[k]) +
                                 " argument");
                return status;
            }
            use.args.push_back(std::move(converted));
            use.positions.push_back(static_cast<unsigned int>(i));
            ++i;
        }
        out_.uses.push_back(std::move(use));
        return status;
    }

    MStatus takePositional(const std::vector<std::pair<Value, unsigned int>>& positional) {
        MStatus status;
        size_t next = 0;
        for (MSyntax::MArgType type : syntax_.commandArgs) {
            if (next >= positional.size()) {
                fail(status, "Not enough arguments: expected " +
                                 plural(syntax_.commandArgs.size(), "argument"));
                return status;
            }
            Value converted;
            if (!convert(type, positional[next].first, converted)) {
                fail(status, "Invalid argument " + std::to_string(next + 1) + ", '" +
                                 positional[next].first.asString() + "': expected " +
                                 typeWord(type) + " argument");
                return status;
            }
            out_.commandArgs.push_back(std::move(converted));
            ++next;
        }
        const bool takesObjects = syntax_.objectFormat == MSyntax::kStringObjects ||
                                  syntax_.objectFormat == MSyntax::kSelectionList;
        for (; next < positional.size(); ++next) {
            if (!takesObjects) {
                fail(status,
                     "Too many arguments: unexpected '" + positional[next].first.asString() + "'");
                return status;
            }
            for (const auto& name : positional[next].first.asStringArray()) {
                out_.objects.push_back(name);
            }
        }
        if (takesObjects && out_.objects.empty() && syntax_.useSelectionAsDefault) {
            out_.objects = activeSelectionNames();
            out_.objectsFromSelection = true;
        }
        if (takesObjects && out_.objects.size() < syntax_.minObjects) {
            fail(status, "Not enough objects: at least " + plural(syntax_.minObjects, "object") +
                             " must be given");
        } else if (takesObjects && out_.objects.size() > syntax_.maxObjects) {
            fail(status, "Too many objects: at most " + plural(syntax_.maxObjects, "object") +
                             " may be given");
        }
        return status;
    }

    const SyntaxData& syntax_;
    const std::vector<Value>& items_;
    ParsedArgs& out_;
};

}  // namespace

bool toBool(const Value& value, bool& out) {
    switch (value.kind()) {
        case Value::Kind::kInt:
        case Value::Kind::kDouble:
            out = value.asDouble() != 0.0;
            return true;
        case Value::Kind::kString:
            return isWordTrue(value.asString(), out);
        default:
            return false;
    }
}

bool toInt(const Value& value, int& out) {
    double d = 0;
    if (!toDouble(value, d))
        return false;
    out = static_cast<int>(d);
    return true;
}

bool toDouble(const Value& value, double& out) {
    switch (value.kind()) {
        case Value::Kind::kInt:
        case Value::Kind::kDouble:
            out = value.asDouble();
            return true;
        case Value::Kind::kString:
            return parseNumber(value.asString(), out);
        default:
            return false;
    }
}

std::vector<const FlagUse*> ParsedArgs::usesOf(const char* flag) const {
    const std::string name = flagName(flag);
    std::vector<const FlagUse*> found;
    for (const FlagUse& use : uses) {
        if (use.flag->shortName == name || use.flag->longName == name)
            found.push_back(&use);
    }
    return found;
}

}  // namespace mayasim

using mayasim::FlagUse;
using mayasim::ParsedArgs;
using mayasim::Value;

namespace {

void report(MStatus* status, bool ok) {
    if (status)
        *status = ok ? MS::kSuccess : MS::kFailure;
}

const Value* flagArgument(const ParsedArgs* parsed, const char* flag, unsigned int index) {
    if (!parsed)
        return nullptr;
    auto uses = parsed->usesOf(flag);
    if (uses.empty() || index >= uses.front()->args.size())
        return nullptr;
    return &uses.front()->args[index];
}

const Value* commandArgument(const ParsedArgs* parsed, unsigned int index) {
    if (!parsed || index >= parsed->commandArgs.size())
        return nullptr;
    return &parsed->commandArgs[index];
}

template <typename T, typename Read>
MStatus read(const Value* value, T& result, Read readAs) {
    if (!value)
        return MS::kFailure;
    return readAs(*value, result) ? MS::kSuccess : MS::kInvalidParameter;
}

bool readBool(const Value& v, bool& out) {
    return mayasim::toBool(v, out);
}
bool readInt(const Value& v, int& out) {
    return mayasim::toInt(v, out);
}
bool readDouble(const Value& v, double& out) {
    return mayasim::toDouble(v, out);
}

bool readUnsigned(const Value& v, unsigned int& out) {
    int i = 0;
    if (!mayasim::toInt(v, i) || i < 0)
        return false;
    out = static_cast<unsigned int>(i);
    return true;
}

bool readString(const Value& v, MString& out) {
    out = v.asString().c_str();
    return true;
}

bool readDistance(const Value& v, MDistance& out) {
    double d = 0;
    if (!mayasim::toDouble(v, d))
        return false;
    out = MDistance(d, MDistance::uiUnit());
    return true;
}

bool readAngle(const Value& v, MAngle& out) {
    double d = 0;
    if (!mayasim::toDouble(v, d))
        return false;
    out = MAngle(d, MAngle::uiUnit());
    return true;
}

bool readTime(const Value& v, MTime& out) {
    double d = 0;
    if (!mayasim::toDouble(v, d))
        return false;
    out = MTime(d, MTime::uiUnit());
    return true;
}

}  // namespace

MArgParser::MArgParser() = default;

MArgParser::MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus) {
    auto parsed = std::make_shared<ParsedArgs>();
    mayasim::Parser parser(mayasim::SyntaxAccess::data(syntax),
                           mayasim::ArgListAccess::items(argList), *parsed);
    MStatus status = parser.run();
    if (status)
        parsed_ = std::move(parsed);
    if (ReturnStatus)
        *ReturnStatus = status;
}

MArgParser::MArgParser(const MArgParser& other) = default;
MArgParser& MArgParser::operator=(const MArgParser& other) = default;
MArgParser::~MArgParser() = default;

bool MArgParser::isFlagSet(const char* flag, MStatus* ReturnStatus) const {
    report(ReturnStatus, parsed_ != nullptr);
    return parsed_ && !parsed_->usesOf(flag).empty();
}

bool MArgParser::isEdit(MStatus* ReturnStatus) const {
    report(ReturnStatus, parsed_ != nullptr);
    return parsed_ && parsed_->edit;
}

bool MArgParser::isQuery(MStatus* ReturnStatus) const {
    report(ReturnStatus, parsed_ != nullptr);
    return parsed_ && parsed_->query;
}

unsigned int MArgParser::numberOfFlagsUsed() const {
    return parsed_ ? static_cast<unsigned int>(parsed_->uses.size()) : 0;
}

unsigned int MArgParser::numberOfFlagUses(const char* flag) const {
    return parsed_ ? static_cast<unsigned int>(parsed_->usesOf(flag).size()) : 0;
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, bool& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readBool);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, int& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readInt);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index,
                                    unsigned int& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readUnsigned);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, double& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readDouble);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MString& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readString);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MDistance& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readDistance);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MAngle& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readAngle);
}

MStatus MArgParser::getFlagArgument(const char* flag, unsigned int index, MTime& result) const {
    return read(flagArgument(parsed_.get(), flag, index), result, readTime);
}

bool MArgParser::flagArgumentBool(const char* flag, unsigned int index,
                                  MStatus* ReturnStatus) const {
    bool value = false;
    MStatus status = getFlagArgument(flag, index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

int MArgParser::flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus) const {
    int value = 0;
    MStatus status = getFlagArgument(flag, index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

double MArgParser::flagArgumentDouble(const char* flag, unsigned int index,
                                      MStatus* ReturnStatus) const {
    double value = 0.0;
    MStatus status = getFlagArgument(flag, index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

MString MArgParser::flagArgumentString(const char* flag, unsigned int index,
                                       MStatus* ReturnStatus) const {
    MString value;
    MStatus status = getFlagArgument(flag, index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

MStatus MArgParser::getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const {
    if (!parsed_)
        return MS::kFailure;
    auto uses = parsed_->usesOf(flag);
    if (i >= uses.size())
        return MS::kFailure;
    args = MArgList();
    for (const Value& value : uses[i]->args)
        mayasim::ArgListAccess::add(args, value);
    return MS::kSuccess;
}

MStatus MArgParser::getFlagArgumentPosition(const char* flag, unsigned int i,
                                            unsigned int& position) const {
    if (!parsed_)
        return MS::kFailure;
    auto uses = parsed_->usesOf(flag);
    if (uses.empty() || i >= uses.front()->positions.size())
        return MS::kFailure;
    position = uses.front()->positions[i];
    return MS::kSuccess;
}

MStatus MArgParser::getCommandArgument(unsigned int index, bool& result) const {
    return read(commandArgument(parsed_.get(), index), result, readBool);
}

MStatus MArgParser::getCommandArgument(unsigned int index, int& result) const {
    return read(commandArgument(parsed_.get(), index), result, readInt);
}

MStatus MArgParser::getCommandArgument(unsigned int index, double& result) const {
    return read(commandArgument(parsed_.get(), index), result, readDouble);
}

MStatus MArgParser::getCommandArgument(unsigned int index, MString& result) const {
    return read(commandArgument(parsed_.get(), index), result, readString);
}

MStatus MArgParser::getCommandArgument(unsigned int index, MDistance& result) const {
    return read(commandArgument(parsed_.get(), index), result, readDistance);
}

MStatus MArgParser::getCommandArgument(unsigned int index, MAngle& result) const {
    return read(commandArgument(parsed_.get(), index), result, readAngle);
}

MStatus MArgParser::getCommandArgument(unsigned int index, MTime& result) const {
    return read(commandArgument(parsed_.get(), index), result, readTime);
}

bool MArgParser::commandArgumentBool(unsigned int index, MStatus* ReturnStatus) const {
    bool value = false;
    MStatus status = getCommandArgument(index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

int MArgParser::commandArgumentInt(unsigned int index, MStatus* ReturnStatus) const {
    int value = 0;
    MStatus status = getCommandArgument(index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

double MArgParser::commandArgumentDouble(unsigned int index, MStatus* ReturnStatus) const {
    double value = 0.0;
    MStatus status = getCommandArgument(index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

MString MArgParser::commandArgumentString(unsigned int index, MStatus* ReturnStatus) const {
    MString value;
    MStatus status = getCommandArgument(index, value);
    if (ReturnStatus)
        *ReturnStatus = status;
    return value;
}

MStatus MArgParser::getObjects(MStringArray& result) const {
    if (!parsed_)
        return MS::kFailure;
    result.clear();
    for (const auto& name : parsed_->objects)
        result.append(MString(name.c_str()));
    return MS::kSuccess;
}
