#include "VexelDeviceNode.h"

#include "DebugPrint.h"
#include "StereoCameraQueries.h"
#include "TrackerThread.h"
#include "VcStylusFilter.h"

#include <windows.h>

#include <maya/MAngle.h>
#include <maya/MDataBlock.h>
#include <maya/MDataHandle.h>
#include <maya/MEulerRotation.h>
#include <maya/MFnEnumAttribute.h>
#include <maya/MFnNumericAttribute.h>
#include <maya/MFnNumericData.h>
#include <maya/MFnUnitAttribute.h>
#include <maya/MPlug.h>
#include <maya/MString.h>
#include <maya/MTransformationMatrix.h>
#include <maya/MVector.h>

#include <vexel/common/Math.h>
#include <vexel/common/Matrix3.h>
#include <vexel/stereo/StereoLeftRightDetect.h>

#include <initializer_list>
#include <mutex>

using vexel::common::Matrix4;
using vexel::common::Vector3;

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
MObject VexelDeviceNode::aStylusFilterMode;
MObject VexelDeviceNode::aStylusFilterMinCutoff;
MObject VexelDeviceNode::aStylusFilterSpeedCoefficient;
MObject VexelDeviceNode::aStylusFilterDerivativeCutoff;

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

    MObject enumeration(const char* longName, const char* shortName,
                        std::initializer_list<const char*> fields, short defaultValue) {
        MFnEnumAttribute fn;
        MObject attribute = check(fn.create(longName, shortName, defaultValue, &status_), longName);
        short value = 0;
        for (const char* field : fields) {
            if (!status_) {
                break;
            }
            status_ = fn.addField(field, value++);
        }
        return attribute;
    }

    MObject rotateOrder(const char* longName, const char* shortName) {
        constexpr short kDefaultOrder = 5;
        return enumeration(longName, shortName, {"xyz", "yzx", "zxy", "xzy", "yxz", "zyx"},
                           kDefaultOrder);
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

// Unit factors of the film back, in single precision as the maker's maths is.
constexpr float kMetresToCentimetres = 100.0f;
constexpr float kMetresToInches = 39.37008f;
constexpr float kMetresToMillimetres = 1000.0f;
constexpr float kInverseTolerance = 1e-6f;

bool isOneOf(const MObject& attribute, std::initializer_list<const MObject*> attributes) {
    for (const MObject* candidate : attributes) {
        if (attribute == *candidate) {
            return true;
        }
    }
    return false;
}

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

    // The adaptive filter's settings: the low-pass stays the default mode, and
    // the defaults of the others match its jitter at rest at a 120 Hz tracker.
    const VcOneEuroFilter::Parameters adaptive;
    aStylusFilterMode = build.enumeration("stylusFilterMode", "sfm", {"lowPass", "oneEuro"},
                                          VcStylusFilter::kLowPass);
    aStylusFilterMinCutoff = build.limitedNumeric("stylusFilterMinCutoff", "sfmc", Data::kDouble,
                                                  adaptive.minCutoff, 0.0, 30.0);
    aStylusFilterSpeedCoefficient =
        build.limitedNumeric("stylusFilterSpeedCoefficient", "sfsc", Data::kDouble,
                             adaptive.speedCoefficient, 0.0, 1000.0);
    aStylusFilterDerivativeCutoff =
        build.limitedNumeric("stylusFilterDerivativeCutoff", "sfdc", Data::kDouble,
                             adaptive.derivativeCutoff, 0.0, 10.0);
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
    build.add({&aStylusFilterMode, &aStylusFilterMinCutoff, &aStylusFilterSpeedCoefficient,
               &aStylusFilterDerivativeCutoff});

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
    StylusFilterSettings settings;
    if (!readFilterSettings(settings)) {
        return false;
    }
    cutoff = settings.cutoff;
    enabled = settings.enabled;
    return true;
}

bool VexelDeviceNode::readFilterSettings(StylusFilterSettings& settings) {
    std::lock_guard<std::mutex> lock(gDeviceNodeMutex);
    if (gDeviceNode == nullptr) {
        return false;
    }
    const VexelDeviceNode& node = *gDeviceNode;
    settings.cutoff = node.getStylusFilterCutoff();
    settings.enabled = node.isStylusDampingEnabled();
    settings.mode = node.stylusFilterMode_.load();
    settings.oneEuro.minCutoff = node.stylusFilterMinCutoff_.load();
    settings.oneEuro.speedCoefficient = node.stylusFilterSpeedCoefficient_.load();
    settings.oneEuro.derivativeCutoff = node.stylusFilterDerivativeCutoff_.load();
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

MStatus VexelDeviceNode::compute(const MPlug& plug, MDataBlock& dataBlock) {
    vexel::stereo::StereoLeftRightDetect::update();
    synchroniseView();
    // Their values are not used: reading them ties the outputs to the inputs.
    dataBlock.inputValue(aCurrentTime);
    dataBlock.inputValue(aTriggerUpdate);

    const MObject attribute = plug.isChild() ? plug.parent().attribute() : plug.attribute();
    const bool leftRight =
        isOneOf(attribute,
                {&aLeftTranslate, &aLeftRotate, &aLeftRotateOrder, &aLeftFilmAperture,
                 &aLeftFilmOffset, &aLeftFocalLength, &aRightTranslate, &aRightRotate,
                 &aRightRotateOrder, &aRightFilmAperture, &aRightFilmOffset, &aRightFocalLength});
    const bool center =
        isOneOf(attribute, {&aCenterTranslate, &aCenterRotate, &aCenterRotateOrder,
                            &aCenterFilmAperture, &aCenterFilmOffset, &aCenterFocalLength});
    MStatus status;
    if (leftRight || center) {
        TrackerThread::getInstance()->getHeadPose(headPose_);
        status = computeCameras(dataBlock);
        const MObject* const leftOutputs[6] = {&aLeftTranslate,   &aLeftRotate,
                                               &aLeftRotateOrder, &aLeftFilmAperture,
                                               &aLeftFilmOffset,  &aLeftFocalLength};
        const MObject* const rightOutputs[6] = {&aRightTranslate,   &aRightRotate,
                                                &aRightRotateOrder, &aRightFilmAperture,
                                                &aRightFilmOffset,  &aRightFocalLength};
        const MObject* const centerOutputs[6] = {&aCenterTranslate,   &aCenterRotate,
                                                 &aCenterRotateOrder, &aCenterFilmAperture,
                                                 &aCenterFilmOffset,  &aCenterFocalLength};
        if (status && leftRight) {
            setCameraOutputs(dataBlock, leftCamera_, leftOutputs);
            setCameraOutputs(dataBlock, rightCamera_, rightOutputs);
        } else if (status) {
            setCameraOutputs(dataBlock, centerCamera_, centerOutputs);
        }
    } else if (attribute == aStylusWorldTranslate || attribute == aStylusWorldRotate) {
        status = computeStylusWorldPose(dataBlock);
    } else if (attribute == aScreenOffset) {
        MDataHandle offset = dataBlock.outputValue(aScreenOffset, &status);
        if (status) {
            offset.set3Double(screenOffset_[0], screenOffset_[1], screenOffset_[2]);
            offset.setClean();
        }
    } else {
        return MS::kUnknownParameter;
    }
    if (status) {
        dataBlock.setClean(plug);
    }
    return status;
}

void VexelDeviceNode::synchroniseView() {
    TrackerThread* thread = TrackerThread::getInstance();
    // The view-changed flag is shared by every device node and cleared by the first that
    // sees it, so a node created after another has cleared it would never see the view: a
    // node without a frustum yet synchronises whatever the flag says. This deliberately
    // goes beyond the flag alone.
    if (!thread->isViewChanged() && stereoFrustum_ != nullptr) {
        return;
    }
    thread->clearViewChanged();
    const vexel::common::DisplayRecord* display = thread->getDisplay(thread->getDisplayIndex());
    if (display == nullptr) {
        return;
    }
    displayWidthMetres_ = display->physicalWidth;
    displayHeightMetres_ = display->physicalHeight;
    for (int i = 0; i < 3; ++i) {
        screenOffset_[i] = display->displayVector[i];
    }
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    thread->getViewportRect(x, y, width, height);
    viewportOffset_ = thread->getViewportOffset();
    viewWidthMetres_ = static_cast<float>(width) / static_cast<float>(display->pixelWidth) *
                       display->physicalWidth;
    viewHeightMetres_ = static_cast<float>(height) / static_cast<float>(display->pixelHeight) *
                        display->physicalHeight;
    if (stereoFrustum_ != nullptr) {
        stereoWindow_->move(x, y);
        stereoWindow_->resize(width, height);
    } else {
        headPose_ = Matrix4::IDENTITY;
        stereoWindow_ = vexel::stereo::StereoWindow::create(x, y, width, height);
        stereoViewport_ = vexel::stereo::StereoViewport::create();
        stereoWindow_->addStereoViewport(stereoViewport_, -1, ~0u);
        stereoViewport_->setUsingWindowSize(true);
        vexel::stereo::StereoLeftRightDetect::initialize(stereoWindow_, 0, nullptr);
        stereoFrustum_ = stereoViewport_->getStereoFrustum();
    }
    trackerToCamera_ = vexel::common::DisplayInfo::getTrackerToCameraSpaceTransform(display);
    trackerToCameraMatrix_ = toMMatrix(trackerToCamera_);
}

MStatus VexelDeviceNode::computeCameras(MDataBlock& dataBlock) {
    MStatus status = copySettings(dataBlock);
    MDataHandle swapped;
    MDataHandle headTracking;
    MDataHandle distance;
    MDataHandle level;
    if (status) {
        swapped = dataBlock.inputValue(aEyesSwapped, &status);
    }
    if (status) {
        headTracking = dataBlock.inputValue(aHeadTrackingEnabled, &status);
    }
    if (status) {
        distance = dataBlock.inputValue(aInterPupillaryDistance, &status);
    }
    if (status) {
        level = dataBlock.inputValue(aStereoLevel, &status);
    }
    if (!status) {
        reportError("vexelDevice: failed to read the stereo settings", status);
        return status;
    }
    if (stereoFrustum_ == nullptr) {
        // No display seen yet: nothing to place the cameras by.
        leftCamera_ = rightCamera_ = centerCamera_ = CameraRecord();
        return status;
    }
    stereoFrustum_->setHeadPose(headTracking.asBool() ? headPose_ : Matrix4::IDENTITY,
                                vexel::stereo::kUnitMetres);
    stereoFrustum_->setStereoLevel(static_cast<float>(level.asDouble()));
    stereoFrustum_->setInterPupillaryDistance(static_cast<float>(distance.asDouble()),
                                              vexel::stereo::kUnitMetres);

    const int leftEye = swapped.asBool() ? vexel::stereo::kEyeRight : vexel::stereo::kEyeLeft;
    const int rightEye = swapped.asBool() ? vexel::stereo::kEyeLeft : vexel::stereo::kEyeRight;
    fillCamera(leftCamera_, leftEye);
    fillCamera(rightCamera_, rightEye);

    // The centre camera is eye 0 with the eyes brought together at the head.
    const float stereoLevel = stereoFrustum_->getStereoLevel();
    stereoFrustum_->setStereoLevel(0.0f);
    fillCamera(centerCamera_, vexel::stereo::kEyeLeft);
    stereoFrustum_->setStereoLevel(stereoLevel);
    return status;
}

void VexelDeviceNode::fillCamera(CameraRecord& camera, int eye) const {
    const Vector3 position = stereoFrustum_->getEyePosition(eye);
    const Matrix4 view = stereoFrustum_->getViewMatrix(eye);

    camera.filmAperture[0] = viewWidthMetres_ * kMetresToInches;
    camera.filmAperture[1] = viewHeightMetres_ * kMetresToInches;
    camera.filmOffset[0] = position.x * -kMetresToInches;
    camera.filmOffset[1] = position.y * -kMetresToInches;
    camera.focalLength = position.z * kMetresToMillimetres;
    camera.translate[0] = -(kMetresToCentimetres * view[0][3]);
    camera.translate[1] = -(kMetresToCentimetres * view[1][3]);
    camera.translate[2] = -(kMetresToCentimetres * view[2][3]);

    vexel::common::Matrix3 rotation;
    view.extract3x3Matrix(rotation);
    vexel::common::Matrix3 inverse = vexel::common::Matrix3::IDENTITY;
    rotation.Inverse(inverse, kInverseTolerance);
    float aboutZ = 0.0f;
    float aboutY = 0.0f;
    float aboutX = 0.0f;
    inverse.ToEulerAnglesZYX(aboutZ, aboutY, aboutX);
    // The cameras stay parallel to the display, so the roll about z is dropped.
    camera.rotate[0] = aboutX * vexel::common::Math::fRad2Deg;
    camera.rotate[1] = aboutY * vexel::common::Math::fRad2Deg;
    camera.rotate[2] = 0.0;
    camera.rotateOrder = kZyxRotateOrder;
}

void VexelDeviceNode::setCameraOutputs(MDataBlock& dataBlock, const CameraRecord& camera,
                                       const MObject* const outputs[6]) {
    MDataHandle handle = dataBlock.outputValue(*outputs[0]);
    handle.set3Double(camera.translate[0], camera.translate[1], camera.translate[2]);
    handle.setClean();
    handle = dataBlock.outputValue(*outputs[1]);
    handle.set3Double(camera.rotate[0], camera.rotate[1], camera.rotate[2]);
    handle.setClean();
    handle = dataBlock.outputValue(*outputs[2]);
    handle.setShort(camera.rotateOrder);
    handle.setClean();
    handle = dataBlock.outputValue(*outputs[3]);
    handle.set2Double(camera.filmAperture[0], camera.filmAperture[1]);
    handle.setClean();
    handle = dataBlock.outputValue(*outputs[4]);
    handle.set2Double(camera.filmOffset[0], camera.filmOffset[1]);
    handle.setClean();
    handle = dataBlock.outputValue(*outputs[5]);
    handle.setDouble(camera.focalLength);
    handle.setClean();
}

MStatus VexelDeviceNode::computeStylusWorldPose(MDataBlock& dataBlock) {
    Matrix4 pose;
    TrackerThread::getInstance()->getStylusPose(pose);
    pose.setTrans(pose.getTrans() - viewportOffset_);
    MMatrix world;
    MStatus status = getStylusWorldMatrix(pose, trackerToCameraMatrix_, world);
    if (!status) {
        return status;
    }
    const MTransformationMatrix transformation(world);
    const MVector translation = transformation.getTranslation(MSpace::kTransform);
    const MEulerRotation rotation = transformation.eulerRotation();
    MDataHandle handle = dataBlock.outputValue(aStylusWorldTranslate);
    handle.set3Double(translation.x, translation.y, translation.z);
    handle.setClean();
    handle = dataBlock.outputValue(aStylusWorldRotate);
    handle.set3Double(MAngle::internalToUI(rotation.x), MAngle::internalToUI(rotation.y),
                      MAngle::internalToUI(rotation.z));
    handle.setClean();
    return status;
}

MStatus VexelDeviceNode::copySettings(MDataBlock& dataBlock) {
    MStatus status;
    MDataHandle correction = dataBlock.inputValue(aStereoCorrectionEnabled, &status);
    MDataHandle sensitivityEnabled;
    MDataHandle sensitivityFactor;
    MDataHandle dampingEnabled;
    MDataHandle dampingFactor;
    MDataHandle filterMode;
    MDataHandle minCutoff;
    MDataHandle speedCoefficient;
    MDataHandle derivativeCutoff;
    struct Input {
        const MObject& attribute;
        MDataHandle& handle;
    };
    for (const Input& input :
         {Input{aStylusSensitivityEnabled, sensitivityEnabled},
          Input{aStylusSensitivityFactor, sensitivityFactor},
          Input{aStylusDampingEnabled, dampingEnabled}, Input{aStylusDampingFactor, dampingFactor},
          Input{aStylusFilterMode, filterMode}, Input{aStylusFilterMinCutoff, minCutoff},
          Input{aStylusFilterSpeedCoefficient, speedCoefficient},
          Input{aStylusFilterDerivativeCutoff, derivativeCutoff}}) {
        if (status) {
            input.handle = dataBlock.inputValue(input.attribute, &status);
        }
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
    stylusFilterMode_.store(filterMode.asShort());
    stylusFilterMinCutoff_.store(minCutoff.asDouble());
    stylusFilterSpeedCoefficient_.store(speedCoefficient.asDouble());
    stylusFilterDerivativeCutoff_.store(derivativeCutoff.asDouble());
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
