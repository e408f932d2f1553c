#pragma once
// The flags, arguments and objects a command accepts.

#include <memory>

#include <maya/MStatus.h>
#include <maya/MTypes.h>

namespace mayasim {
struct SyntaxAccess;
}

class MSyntax {
public:
    enum MArgType {
        kInvalidArgType = 0,
        kNoArg,
        kBoolean,
        kLong,
        kDouble,
        kString,
        kUnsigned,
        kDistance,
        kAngle,
        kTime,
        kSelectionItem,
        kLastArgType
    };
    enum MObjectFormat {
        kInvalidObjectFormat = 0,
        kNone,
        kStringObjects,
        kSelectionList,
        kLastObjectFormat
    };

    // Copies refer to the same syntax, so that a command's appendSyntax can add flags to the
    // object syntax() hands out.
    MSyntax();
    MSyntax(const MSyntax& other);
    MSyntax& operator=(const MSyntax& other);
    ~MSyntax();

    MStatus addFlag(const char* shortName, const char* longName, MArgType argType1 = kNoArg,
                    MArgType argType2 = kNoArg, MArgType argType3 = kNoArg,
                    MArgType argType4 = kNoArg, MArgType argType5 = kNoArg,
                    MArgType argType6 = kNoArg);
    MStatus makeFlagMultiUse(const char* flag);
    MStatus makeFlagQueryWithFullArgs(const char* flag, bool queryArgsAreOptional);
    MStatus addArg(MArgType arg);

    void useSelectionAsDefault(bool useSelectionList = false);
    MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects = 0);
    MStatus setObjectType(MObjectFormat objectFormat, unsigned int minimumObjects,
                          unsigned int maximumObjects);
    void setMinObjects(unsigned int minimumObjectCount);
    void setMaxObjects(unsigned int maximumObjectCount);
    void enableQuery(bool supportsQuery = true);
    void enableEdit(bool supportsEdit = true);

private:
    friend struct mayasim::SyntaxAccess;
    struct Data;
    std::shared_ptr<Data> data_;
};
