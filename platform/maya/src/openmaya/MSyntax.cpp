#include <maya/MSyntax.h>

#include "SyntaxData.h"

#include <mayasim/CommandEngine.h>

using Data = mayasim::SyntaxData;

std::string mayasim::flagName(const char* name) {
    std::string text = name ? name : "";
    if (text.empty() || text[0] != '-')
        text.insert(text.begin(), '-');
    return text;
}

const Data::Flag* Data::findFlag(const std::string& name) const {
    for (const Flag& flag : flags) {
        if (flag.shortName == name || flag.longName == name)
            return &flag;
    }
    return nullptr;
}

MSyntax::MSyntax() : data_(std::make_shared<Data>()) {}
MSyntax::MSyntax(const MSyntax& other) = default;
MSyntax::~MSyntax() = default;
MSyntax& MSyntax::operator=(const MSyntax& other) = default;

MStatus MSyntax::addFlag(const char* shortName, const char* longName, MArgType argType1,
                         MArgType argType2, MArgType argType3, MArgType argType4, MArgType argType5,
                         MArgType argType6) {
    Data::Flag flag;
    flag.shortName = mayasim::flagName(shortName);
    flag.longName = longName ? mayasim::flagName(longName) : flag.shortName;
    if (flag.shortName.size() < 2 || data_->findFlag(flag.shortName) ||
        data_->findFlag(flag.longName)) {
        return MS::kFailure;
    }
    for (MArgType type : {argType1, argType2, argType3, argType4, argType5, argType6}) {
        if (type == kNoArg)
            break;
        if (type <= kNoArg || type >= kLastArgType)
            return MS::kInvalidParameter;
        flag.types.push_back(type);
    }
    data_->flags.push_back(std::move(flag));
    return MS::kSuccess;
}

MStatus MSyntax::makeFlagMultiUse(const char* flag) {
    for (Data::Flag& f : data_->flags) {
        if (f.shortName == mayasim::flagName(flag) || f.longName == mayasim::flagName(flag)) {
            f.multiUse = true;
            return MS::kSuccess;
        }
    }
    return MS::kInvalidParameter;
}

MStatus MSyntax::makeFlagQueryWithFullArgs(const char* flag, bool queryArgsAreOptional) {
    for (Data::Flag& f : data_->flags) {
        if (f.shortName == mayasim::flagName(flag) || f.longName == mayasim::flagName(flag)) {
            f.queryWithArgs = true;
            f.queryArgsOptional = queryArgsAreOptional;
            return MS::kSuccess;
        }
    }
    return MS::kInvalidParameter;
}

MStatus MSyntax::addArg(MArgType arg) {
    if (arg <= kNoArg || arg >= kLastArgType)
        return MS::kInvalidParameter;
    data_->commandArgs.push_back(arg);
    return MS::kSuccess;
}

void MSyntax::useSelectionAsDefault(bool useSelectionList) {
    data_->useSelectionAsDefault = useSelectionList;
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects) {
    return setObjectType(objectFormat, minimumObjects, UINT_MAX);
}

MStatus MSyntax::setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                               unsigned int maximumObjects) {
    if (objectFormat <= kInvalidObjectFormat || objectFormat >= kLastObjectFormat ||
        minimumObjects > maximumObjects) {
        return MS::kInvalidParameter;
    }
    data_->objectFormat = objectFormat;
    data_->minObjects = minimumObjects;
    data_->maxObjects = maximumObjects;
    return MS::kSuccess;
}

void MSyntax::setMinObjects(unsigned int minimumObjectCount) {
    data_->minObjects = minimumObjectCount;
}

void MSyntax::setMaxObjects(unsigned int maximumObjectCount) {
    data_->maxObjects = maximumObjectCount;
}

void MSyntax::enableQuery(bool supportsQuery) {
    data_->query = supportsQuery;
}
void MSyntax::enableEdit(bool supportsEdit) {
    data_->edit = supportsEdit;
}

namespace mayasim {

std::vector<SyntaxFlag> syntaxFlags(const MSyntax& syntax) {
    std::vector<SyntaxFlag> out;
    for (const auto& flag : SyntaxAccess::data(syntax).flags) {
        out.push_back({flag.shortName, flag.longName, flag.types, flag.multiUse});
    }
    return out;
}

bool syntaxEnablesQuery(const MSyntax& syntax) {
    return SyntaxAccess::data(syntax).query;
}
bool syntaxEnablesEdit(const MSyntax& syntax) {
    return SyntaxAccess::data(syntax).edit;
}

}  // namespace mayasim
