#include <maya/MPxContextCommand.h>

#include <mayasim/CommandEngine.h>

MPxContextCommand::MPxContextCommand() = default;
MPxContextCommand::~MPxContextCommand() = default;

MStatus MPxContextCommand::doEditFlags() {
    return MS::kSuccess;
}
MStatus MPxContextCommand::doQueryFlags() {
    return MS::kSuccess;
}
MPxContext* MPxContextCommand::makeObj() {
    return nullptr;
}
MStatus MPxContextCommand::appendSyntax() {
    return MS::kSuccess;
}

MStatus MPxContextCommand::setResult(bool result) {
    mayasim::CommandEngine::instance().currentResult() = mayasim::Value(result);
    return MS::kSuccess;
}

MStatus MPxContextCommand::setResult(int result) {
    mayasim::CommandEngine::instance().currentResult() = mayasim::Value(result);
    return MS::kSuccess;
}

MStatus MPxContextCommand::setResult(double result) {
    mayasim::CommandEngine::instance().currentResult() = mayasim::Value(result);
    return MS::kSuccess;
}

MStatus MPxContextCommand::setResult(const MString& result) {
    mayasim::CommandEngine::instance().currentResult() = mayasim::Value(result.asChar());
    return MS::kSuccess;
}

MSyntax MPxContextCommand::syntax(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return syntax_;
}

MArgParser MPxContextCommand::parser(MStatus* ReturnStatus) const {
    if (ReturnStatus)
        *ReturnStatus = MS::kSuccess;
    return parser_;
}
