#pragma once
// What an MSyntax holds and what MArgParser makes of an argument list, shared by the
// parser, the command engine and the context commands.

#include <climits>
#include <string>
#include <vector>

#include <maya/MArgList.h>
#include <maya/MArgParser.h>
#include <maya/MSyntax.h>

#include <mayasim/Value.h>

struct MSyntax::Data {
    struct Flag {
        std::string shortName;  // with the leading '-'
        std::string longName;
        std::vector<MSyntax::MArgType> types;
        bool multiUse = false;
        bool queryWithArgs = false;
        bool queryArgsOptional = false;
    };
    std::vector<Flag> flags;
    std::vector<MSyntax::MArgType> commandArgs;
    MSyntax::MObjectFormat objectFormat = MSyntax::kNone;
    unsigned int minObjects = 0;
    unsigned int maxObjects = UINT_MAX;
    bool useSelectionAsDefault = false;
    bool query = false;
    bool edit = false;

    const Flag* findFlag(const std::string& name) const;
};

struct MArgList::Data {
    std::vector<mayasim::Value> items;
};

namespace mayasim {

struct SyntaxAccess {
    using Data = MSyntax::Data;
    using Flag = MSyntax::Data::Flag;
    static const Data& data(const MSyntax& syntax) { return *syntax.data_; }
    static Data& data(MSyntax& syntax) { return *syntax.data_; }
    // A syntax of its own with the same contents.
    static MSyntax clone(const MSyntax& syntax) {
        MSyntax copy;
        *copy.data_ = *syntax.data_;
        return copy;
    }
};
using SyntaxData = SyntaxAccess::Data;
using SyntaxFlagData = SyntaxAccess::Flag;

struct ArgListAccess {
    static const std::vector<Value>& items(const MArgList& args) { return args.data_->items; }
    static void add(MArgList& args, Value value) { args.data_->items.push_back(std::move(value)); }
};

// "-f", "f" -> "-f".
std::string flagName(const char* name);

// One use of a flag: its arguments and where each sat in the argument list.
struct FlagUse {
    const SyntaxFlagData* flag = nullptr;
    std::vector<Value> args;
    std::vector<unsigned int> positions;
};

struct ParsedArgs {
    std::vector<FlagUse> uses;
    bool query = false;
    bool edit = false;
    std::vector<Value> commandArgs;
    std::vector<std::string> objects;
    bool objectsFromSelection = false;

    std::vector<const FlagUse*> usesOf(const char* flag) const;
};

struct ArgParserAccess {
    static const ParsedArgs* parsed(const MArgParser& parser) { return parser.parsed_.get(); }
};

// The names of the active selection, for syntaxes that use it as their default objects.
std::vector<std::string> activeSelectionNames();

}  // namespace mayasim
