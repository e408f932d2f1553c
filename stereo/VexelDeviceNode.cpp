#include "VexelDeviceNode.h"

#include "DebugPrint.h"
#include "TrackerThread.h"

#include <windows.h>

#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MString.h>

#include <vexel/stereo/StereoLeftRightDetect.h>

#include <initializer_list>
#include <mutex>

const MTypeId VexelDeviceNode::id(0x117800);
const char* const VexelDeviceNode::kTypeName = "vexelDevice";

MObject VexelDeviceNode::aCurrentTime;
MObject VexelDeviceNode::aTriggerUpdate;
MObject VexelDeviceNode::aEyesSwapped;
MObject VexelDeviceNode::aHeadTrackingEnabled;
MObject VexelDeviceNode::aStereoCorrectionEnabled;
MObject VexelDeviceNode::aInterPupillaryDistance;
MObject VexelDeviceNode::aStereoLevel;
MObject VexelDeviceNode::aStylusSensitivityFactor;
MObject VexelDeviceNode::aStylusSensitivityEnabled;
MObject VexelDeviceNode::aStylusDampingFactor;
MObject VexelDeviceNode::aStylusDampingEnabled;
MObject VexelDeviceNode::aLeftTranslate;
MObject VexelDeviceNode::aLeftRotate;
MObject VexelDeviceNode::aLeftRotateOrder;
MObject VexelDeviceNode::aLeftFilmAperture;
MObject VexelDeviceNode::aLeftFilmOffset;
MObject VexelDeviceNode::aLeftFocalLength;
MObject VexelDeviceNode::aRightTranslate;
MObject VexelDeviceNode::aRightRotate;
MObject VexelDeviceNode::aRightRotateOrder;
MObject VexelDeviceNode::aRightFilmAperture;
MObject VexelDeviceNode::aRightFilmOffset;
MObject VexelDeviceNode::aRightFocalLength;
MObject VexelDeviceNode::aCenterTranslate;
MObject VexelDeviceNode::aCenterRotate;
MObject VexelDeviceNode::aCenterRotateOrder;
MObject VexelDeviceNode::aCenterFilmAperture;
MObject VexelDeviceNode::aCenterFilmOffset;
MObject VexelDeviceNode::aCenterFocalLength;
MObject VexelDeviceNode::aStylusWorldTranslate;
MObject VexelDeviceNode::aStylusWorldRotate;
MObject VexelDeviceNode::aCameraScale;
MObject VexelDeviceNode::aCameraCenterOfInterest;
MObject VexelDeviceNode::aScreenOffset;

namespace {

// The tracker thread reads the device node's filter settings while nodes are
// created and deleted on the main thread; the lock keeps the node alive meanwhile.
std::mutex gDeviceNodeMutex;
VexelDeviceNode* gDeviceNode = nullptr;

void setDeviceNode(VexelDeviceNode* node) {
    std::lock_guard<std::mutex> lock(gDeviceNodeMutex);
    gDeviceNode = node;
}

// Builds the attributes, stopping at the first failure and reporting it.
class AttributeBuilder {
public:
    MObject numeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                    double defaultValue) {
        MFnNumericAttribute fn;
        return check(fn.create(longName, shortName, type, defaultValue, &status_), longName);
    }

    MObject limitedNumeric(const char* longName, const char* shortName, MFnNumericData::Type type,
                           double defaultValue, double minimum, double softMaximum) {
        MFnNumericAttribute fn;
        MObject attribute =
            check(fn.create(longName, shortName, type, defaultValue, &status_), longName);
        if (status_) {
            fn.setMin(minimum);
            fn.setSoftMax(softMaximum);
        }
        return attribute;
    }

    MObject time(const char* longName, const char* shortName) {
        MFnUnitAttribute fn;
        return check(fn.create(longName, shortName, MFnUnitAttribute::kTime, 0.0, &status_),
                     longName);
    }

    MObject rotateOrder(const char* longName, const char* shortName) {
        static const char* const kOrders[] = {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"};
        constexpr short kDefaultOrder = 5;
        MFnEnumAttribute fn;
        MObject attribute =
            check(fn.create(longName, shortName, kDefaultOrder, &status_), longName);
        for (short i = 0; status_ && i < 6; ++i) {
            status_ = fn.addField(kOrders[i], i);
        }
        return attribute;
    }

    // The six outputs of one camera; the node adds them in this order.
    void camera(const char* prefix, const char* shortPrefix, MObject* outputs[6]) {
        const MString name(prefix);
        const MString brief(shortPrefix);
        *outputs[0] = numeric((name + "Translate").asChar(), (brief + "t").asChar(),
                              MFnNumericData::k3Double, 0.0);
        *outputs[1] = numeric((name + "Rotate").asChar(), (brief + "r").asChar(),
                              MFnNumericData::k3Double, 0.0);
        *outputs[2] = rotateOrder((name + "RotateOrder").asChar(), (brief + "ro").asChar());
        *outputs[3] = numeric((name + "FilmAperture").asChar(), (brief + "fa").asChar(),
                              MFnNumericData::k2Double, 1.0);
        *outputs[4] = numeric((name + "FilmOffset").asChar(), (brief + "fo").asChar(),
                              MFnNumericData::k2Double, 0.0);
        *outputs[5] = numeric((name + "FocalLength").asChar(), (brief + "fl").asChar(),
                              MFnNumericData::kDouble, 1.0);
    }

    void add(std::initializer_list<const MObject*> attributes) {
        for (const MObject* attribute : attributes) {
            if (!status_) {
                return;
            }
            status_ = MPxNode::addAttribute(*attribute);
            if (!status_) {
                reportError("vexelDevice: addAttribute failed", status_);
            }
        }
    }

    void affects(const MObject& input, std::initializer_list<const MObject*> outputs) {
        for (const MObject* output : outputs) {
            if (!status_) {
                return;
            }
            status_ = MPxNode::attributeAffects(input, *output);
            if (!status_) {
                reportError("vexelDevice: attributeAffects failed", status_);
            }
        }
    }

    const MStatus& status() const { return status_; }

private:
    MObject check(const MObject& attribute, const char* name) {
        if (!status_) {
            reportError(name, status_);
        }
        return attribute;
    }

    MStatus status_;
};

}  // namespace

void* VexelDeviceNode::creator() {
    auto* node = new VexelDeviceNode();
    setDeviceNode(node);
    return node;
}

MStatus VexelDeviceNode::initialize() {
    using Data = MFnNumericData;
    AttributeBuilder build;
    aCurrentTime = build.time("currentTime", "ctm");
    aTriggerUpdate = build.numeric("triggerUpdate", "tu", Data::kDouble, 0.0);
    aEyesSwapped = build.numeric("eyesSwapped", "eswap", Data::kBoolean, 0.0);
    aHeadTrackingEnabled = build.numeric("headTrackingEnabled", "htrack", Data::kBoolean, 1.0);
    aStereoCorrectionEnabled =
        build.numeric("stereoCorrectionEnabled", "stFix", Data::kBoolean, 1.0);
    aInterPupillaryDistance = build.limitedNumeric("interPupillaryDistance", "ipd", Data::kDouble,
                                                   0.06, 0.0, static_cast<double>(0.1f));
    aStereoLevel = build.limitedNumeric("stereoLevel", "slvl", Data::kDouble, 1.0, 0.0, 2.0);
    aStylusSensitivityFactor =
        build.limitedNumeric("stylusSensitivityFactor", "ssensf", Data::kShort, 5.0, 1.0, 50.0);
    aStylusSensitivityEnabled =
        build.numeric("stylusSensitivityEnabled", "ssens", Data::kBoolean, 0.0);
    aStylusDampingFactor =
        build.limitedNumeric("stylusDampingFactor", "sdampf", Data::kDouble, 0.33, 0.0, 1.0);
    aStylusDampingEnabled = build.numeric("stylusDampingEnabled", "sdamp", Data::kBoolean, 1.0);

    MObject* center[] = {&aCenterTranslate,    &aCenterRotate,     &aCenterRotateOrder,
                         &aCenterFilmAperture, &aCenterFilmOffset, &aCenterFocalLength};
    MObject* left[] = {&aLeftTranslate,    &aLeftRotate,     &aLeftRotateOrder,
                       &aLeftFilmAperture, &aLeftFilmOffset, &aLeftFocalLength};
    MObject* right[] = {&aRightTranslate,    &aRightRotate,     &aRightRotateOrder,
                        &aRightFilmAperture, &aRightFilmOffset, &aRightFocalLength};
    build.camera("center", "cen", center);
    build.camera("left", "l", left);
    build.camera("right", "r", right);

    aStylusWorldTranslate = build.numeric("stylusWorldTranslate", "swt", Data::k3Double, 0.0);
    aStylusWorldRotate = build.numeric("stylusWorldRotate", "swr", Data::k3Double, 0.0);
    aCameraScale = build.limitedNumeric("cameraScale", "cs", Data::kDouble, 1.0, 0.0, 2.0);
    aCameraCenterOfInterest = build.numeric("cameraCenterOfInterest", "ccoi", Data::kDouble, 1.0);
    aScreenOffset = build.numeric("screenOffset", "so", Data::k3Double, 1.0);
    if (!build.status()) {
        return build.status();
    }

    build.add({&aCurrentTime, &aTriggerUpdate, &aEyesSwapped, &aHeadTrackingEnabled,
               &aStereoCorrectionEnabled, &aInterPupillaryDistance, &aStereoLevel,
               &aStylusSensitivityFactor, &aStylusSensitivityEnabled, &aStylusDampingFactor,
               &aStylusDampingEnabled});
    build.add({left[0], left[1], left[2], left[3], left[4], left[5]});
    build.add({right[0], right[1], right[2], right[3], right[4], right[5]});
    build.add({center[0], center[1], center[2], center[3], center[4], center[5]});
    build.add({&aStylusWorldTranslate, &aStylusWorldRotate, &aCameraScale, &aCameraCenterOfInterest,
               &aScreenOffset});

    const std::initializer_list<const MObject*> leftRight = {
        left[0],  left[1],  left[2],  left[3],  left[4],  left[5],
        right[0], right[1], right[2], right[3], right[4], right[5]};
    const std::initializer_list<const MObject*> cameras = {
        left[0],   left[1],   left[2],   left[3],   left[4],   left[5],
        right[0],  right[1],  right[2],  right[3],  right[4],  right[5],
        center[0], center[1], center[2], center[3], center[4], center[5]};
    for (const MObject* input : {&aTriggerUpdate, &aCurrentTime}) {
        build.affects(*input, cameras);
        build.affects(*input, {&aStylusWorldTranslate, &aStylusWorldRotate});
    }
    build.affects(aHeadTrackingEnabled, cameras);
    build.affects(aHeadTrackingEnabled, {&aScreenOffset});
    for (const MObject* input : {&aEyesSwapped, &aStereoLevel, &aInterPupillaryDistance}) {
        build.affects(*input, leftRight);
    }
    return build.status();
}

VexelDeviceNode* VexelDeviceNode::deviceNode() {
    return gDeviceNode;
}

bool VexelDeviceNode::readFilterSettings(double& cutoff, bool& enabled) {
    std::lock_guard<std::mutex> lock(gDeviceNodeMutex);
    if (gDeviceNode == nullptr) {
        return false;
    }
    cutoff = gDeviceNode->getStylusFilterCutoff();
    enabled = gDeviceNode->isStylusDampingEnabled();
    return true;
}

VexelDeviceNode::VexelDeviceNode() : displayInfo_(vexel::common::DisplayInfo::create()) {}

VexelDeviceNode::~VexelDeviceNode() {
    // During unload the thread is already gone; asking for it would start a new one.
    if (TrackerThread::hasInstance()) {
        TrackerThread::getInstance()->removeDeviceNode(this);
    }
    if (stereoWindow_ != nullptr) {
        stereoWindow_->removeReference();
    }
    if (stereoViewport_ != nullptr) {
        stereoViewport_->removeReference();
    }
    vexel::stereo::StereoLeftRightDetect::shutdown();
    setDeviceNode(nullptr);
    if (displayInfo_ != nullptr) {
        displayInfo_->removeReference();
    }
}

void VexelDeviceNode::postConstructor() {
    TrackerThread::getInstance()->addDeviceNode(this);
}

MStatus VexelDeviceNode::compute(const MPlug& /*plug*/, MDataBlock& dataBlock) {
    copySettings(dataBlock);
    return MS::kUnknownParameter;
}

MStatus VexelDeviceNode::copySettings(MDataBlock& dataBlock) {
    MStatus status;
    MDataHandle correction = dataBlock.inputValue(aStereoCorrectionEnabled, &status);
    MDataHandle sensitivityEnabled;
    MDataHandle sensitivityFactor;
    MDataHandle dampingEnabled;
    MDataHandle dampingFactor;
    if (status) {
        sensitivityEnabled = dataBlock.inputValue(aStylusSensitivityEnabled, &status);
    }
    if (status) {
        sensitivityFactor = dataBlock.inputValue(aStylusSensitivityFactor, &status);
    }
    if (status) {
        dampingEnabled = dataBlock.inputValue(aStylusDampingEnabled, &status);
    }
    if (status) {
        dampingFactor = dataBlock.inputValue(aStylusDampingFactor, &status);
    }
    if (!status) {
        reportError("vexelDevice: failed to read the stylus settings", status);
        return status;
    }
    stereoCorrection_.store(correction.asBool());
    stylusSensitivityEnabled_.store(sensitivityEnabled.asBool());
    stylusSensitivityFactor_.store(sensitivityFactor.asShort());
    stylusDampingEnabled_.store(dampingEnabled.asBool());
    stylusDampingFactor_.store(dampingFactor.asDouble());
    return status;
}

bool VexelDeviceNode::isStereoCorrectionEnabled() const {
    return stereoCorrection_.load();
}

bool VexelDeviceNode::isStylusSensitivityActive() const {
    const bool enabled = stylusSensitivityEnabled_.load();
    return GetAsyncKeyState(VK_CONTROL) != 0 ? !enabled : enabled;
}

short VexelDeviceNode::getStylusSensitivityFactor() const {
    return stylusSensitivityFactor_.load();
}

bool VexelDeviceNode::isStylusDampingEnabled() const {
    return stylusDampingEnabled_.load();
}

double VexelDeviceNode::getStylusFilterCutoff() const {
    return (1.0 - stylusDampingFactor_.load()) * 100.0;
}
