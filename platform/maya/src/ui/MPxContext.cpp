#include <maya/MPxContext.h>

#include <maya/MDoubleArray.h>
#include <maya/MEvent.h>
#include <maya/MIntArray.h>
#include <maya/MPxToolCommand.h>

#include "ContextRegistry.h"

MPxContext::MPxContext() = default;
MPxContext::~MPxContext() = default;

void MPxContext::toolOnSetup(MEvent&) {}
void MPxContext::toolOffCleanup() {}
MStatus MPxContext::doPress(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doRelease(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doDrag(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doHold(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::doEnterRegion(MEvent&) {
    return MS::kSuccess;
}
MStatus MPxContext::helpStateHasChanged(MEvent&) {
    return MS::kSuccess;
}
void MPxContext::deleteAction() {}
void MPxContext::completeAction() {}
void MPxContext::abortAction() {}

MStatus MPxContext::addManipulator(const MObject& manipulator) {
    if (manipulator.isNull())
        return MS::kInvalidParameter;
    manipulators_.push_back(manipulator);
    return MS::kSuccess;
}

MStatus MPxContext::deleteManipulators() {
    std::vector<MObject> manipulators;
    manipulators.swap(manipulators_);
    for (const MObject& manipulator : manipulators)
        mayasim::contexts::deleteManipulator(manipulator);
    return MS::kSuccess;
}

MStatus MPxContext::setImage(const MString& image, ImageIndex index) {
    if (index < kImage1 || index > kImage3)
        return MS::kInvalidParameter;
    images_[index] = image;
    return MS::kSuccess;
}

MString MPxContext::image(ImageIndex index, MStatus* ReturnStatus) const {
    const bool valid = index >= kImage1 && index <= kImage3;
    if (ReturnStatus)
        *ReturnStatus = valid ? MS::kSuccess : MS::kInvalidParameter;
    return valid ? images_[index] : MString();
}

bool MPxContext::processNumericalInput(const MDoubleArray&, const MIntArray&, bool) {
    return false;
}

bool MPxContext::feedbackNumericalInput() const {
    return false;
}

MSyntax::MArgType MPxContext::argTypeNumericalInput(unsigned int) const {
    return MSyntax::kNoArg;
}

MString MPxContext::stringClassName() const {
    return MString();
}

void MPxContext::getClassName(MString& name) const {
    name = stringClassName();
}

MStatus MPxContext::setHelpString(const MString& str) {
    helpString_ = str;
    return MS::kSuccess;
}

MStatus MPxContext::setTitleString(const MString& str) {
    titleString_ = str;
    return MS::kSuccess;
}

MStatus MPxContext::setCursor(const MCursor& cursor) {
    cursor_ = cursor;
    return MS::kSuccess;
}

MPxToolCommand* MPxContext::newToolCommand() {
    return mayasim::contexts::newToolCommandFor(*this);
}
