#include <maya/MArgDatabase.h>

#include <maya/MGlobal.h>
#include <maya/MSelectionList.h>

#include "SyntaxData.h"

namespace {

// Adds each name to the list, reporting the first that names nothing in the scene.
MStatus addNames(const std::vector<std::string>& names, MSelectionList& result) {
    for (const auto& name : names) {
        MStatus status = result.add(MString(name.c_str()));
        if (!status) {
            MGlobal::displayError(MString("No object matches name: ") + name.c_str());
            return status;
        }
    }
    return MS::kSuccess;
}

}  // namespace

MArgDatabase::MArgDatabase() = default;

MArgDatabase::MArgDatabase(const MSyntax& syntax, const MArgList& argList, MStatus* ReturnStatus)
    : MArgParser(syntax, argList, ReturnStatus) {}

MArgDatabase::~MArgDatabase() = default;

MStatus MArgDatabase::getFlagArgument(const char* flag, unsigned int index,
                                      MSelectionList& result) const {
    MString name;
    MStatus status = MArgParser::getFlagArgument(flag, index, name);
    if (!status)
        return status;
    return addNames({name.asChar()}, result);
}

MStatus MArgDatabase::getCommandArgument(unsigned int index, MSelectionList& result) const {
    MString name;
    MStatus status = MArgParser::getCommandArgument(index, name);
    if (!status)
        return status;
    return addNames({name.asChar()}, result);
}

MStatus MArgDatabase::getObjects(MSelectionList& result) const {
    const mayasim::ParsedArgs* parsed = mayasim::ArgParserAccess::parsed(*this);
    if (!parsed)
        return MS::kFailure;
    return addNames(parsed->objects, result);
}
