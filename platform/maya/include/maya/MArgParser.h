#pragma once
// Parses a command's arguments against its syntax: flags with their arguments, query and
// edit mode, command arguments and objects.

#include <memory>

#include <maya/MStatus.h>
#include <maya/MString.h>

class MAngle;
class MArgList;
class MDistance;
class MStringArray;
class MSyntax;
class MTime;

namespace mayasim {
struct ParsedArgs;
struct ArgParserAccess;
}  // namespace mayasim

class MArgParser {
public:
    MArgParser();
    MArgParser(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus = NULL);
    MArgParser(const MArgParser& other);
    MArgParser& operator=(const MArgParser& other);
    virtual ~MArgParser();

    bool isFlagSet(const char* flag, MStatus* ReturnStatus = NULL) const;
    bool isEdit(MStatus* ReturnStatus = NULL) const;
    bool isQuery(MStatus* ReturnStatus = NULL) const;
    unsigned int numberOfFlagsUsed() const;
    unsigned int numberOfFlagUses(const char* flag) const;

    MStatus getFlagArgument(const char* flag, unsigned int index, bool& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, unsigned int& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, double& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MString& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MDistance& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MAngle& result) const;
    MStatus getFlagArgument(const char* flag, unsigned int index, MTime& result) const;
    bool flagArgumentBool(const char* flag, unsigned int index, MStatus* ReturnStatus = NULL) const;
    int flagArgumentInt(const char* flag, unsigned int index, MStatus* ReturnStatus = NULL) const;
    double flagArgumentDouble(const char* flag, unsigned int index,
                              MStatus* ReturnStatus = NULL) const;
    MString flagArgumentString(const char* flag, unsigned int index,
                               MStatus* ReturnStatus = NULL) const;
    // The arguments of the i-th use of a multi-use flag.
    MStatus getFlagArgumentList(const char* flag, unsigned int i, MArgList& args) const;
    // Where the index-th argument of the flag's first use sits in the original argument list.
    MStatus getFlagArgumentPosition(const char* flag, unsigned int i, unsigned int& position) const;

    MStatus getCommandArgument(unsigned int index, bool& result) const;
    MStatus getCommandArgument(unsigned int index, int& result) const;
    MStatus getCommandArgument(unsigned int index, double& result) const;
    MStatus getCommandArgument(unsigned int index, MString& result) const;
    MStatus getCommandArgument(unsigned int index, MDistance& result) const;
    MStatus getCommandArgument(unsigned int index, MAngle& result) const;
    MStatus getCommandArgument(unsigned int index, MTime& result) const;
    bool commandArgumentBool(unsigned int index, MStatus* ReturnStatus = NULL) const;
    int commandArgumentInt(unsigned int index, MStatus* ReturnStatus = NULL) const;
    double commandArgumentDouble(unsigned int index, MStatus* ReturnStatus = NULL) const;
    MString commandArgumentString(unsigned int index, MStatus* ReturnStatus = NULL) const;

    MStatus getObjects(MStringArray& result) const;

protected:
    friend struct mayasim::ArgParserAccess;
    std::shared_ptr<const mayasim::ParsedArgs> parsed_;
};
