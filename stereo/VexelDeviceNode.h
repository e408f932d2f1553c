// The "vexelDevice" node: the stereo and stylus settings in Maya's dependency
// graph, and the outputs that drive the stereo rig's cameras.
#pragma once

#include "VcOneEuroFilter.h"

#include <maya/MMatrix.h>
#include <maya/MObject.h>
#include <maya/MPxNode.h>
#include <maya/MTypeId.h>

#include <vexel/common/DisplayInfo.h>
#include <vexel/common/Matrix4.h>
#include <vexel/common/Vector3.h>
#include <vexel/stereo/StereoFrustum.h>
#include <vexel/stereo/StereoViewport.h>
#include <vexel/stereo/StereoWindow.h>

#include <atomic>

//! The bridge between the tracker and the dependency graph. Each node registers
//! with the tracker thread, which re-triggers it at every idle event; the most
//! recently created one is the process-wide device node whose stylus settings
//! the tracker thread and the tools read.
class VexelDeviceNode : public MPxNode {
public:
    static const MTypeId id;
    static const char* const kTypeName;

    static void* creator();
    static MStatus initialize();

    //! The process-wide device node, null when there is none. Main thread.
    static VexelDeviceNode* deviceNode();
    //! The stylus filter settings as the tracker thread applies them.
    struct StylusFilterSettings {
        double cutoff = 0.0;
        bool enabled = false;
        short mode = 0;  // VcStylusFilter::Mode
        VcOneEuroFilter::Parameters oneEuro;
    };
    //! The filter settings of the process-wide device node, read safely from
    //! the tracker thread while nodes come and go. False when there is none.
    static bool readFilterSettings(StylusFilterSettings& settings);
    static bool readFilterSettings(double& cutoff, bool& enabled);

    ~VexelDeviceNode() override;
    void postConstructor() override;
    MStatus compute(const MPlug& plug, MDataBlock& dataBlock) override;

    virtual bool isStereoCorrectionEnabled() const;
    //! Holding Ctrl inverts the setting for as long as it is held.
    virtual bool isStylusSensitivityActive() const;
    virtual short getStylusSensitivityFactor() const;
    virtual bool isStylusDampingEnabled() const;
    virtual double getStylusFilterCutoff() const;

    // Attributes, in the order they are added to the node.
    static MObject aCurrentTime;
    static MObject aTriggerUpdate;
    static MObject aEyesSwapped;
    static MObject aHeadTrackingEnabled;
    static MObject aStereoCorrectionEnabled;
    static MObject aInterPupillaryDistance;
    static MObject aStereoLevel;
    static MObject aStylusSensitivityFactor;
    static MObject aStylusSensitivityEnabled;
    static MObject aStylusDampingFactor;
    static MObject aStylusDampingEnabled;
    static MObject aLeftTranslate;
    static MObject aLeftRotate;
    static MObject aLeftRotateOrder;
    static MObject aLeftFilmAperture;
    static MObject aLeftFilmOffset;
    static MObject aLeftFocalLength;
    static MObject aRightTranslate;
    static MObject aRightRotate;
    static MObject aRightRotateOrder;
    static MObject aRightFilmAperture;
    static MObject aRightFilmOffset;
    static MObject aRightFocalLength;
    static MObject aCenterTranslate;
    static MObject aCenterRotate;
    static MObject aCenterRotateOrder;
    static MObject aCenterFilmAperture;
    static MObject aCenterFilmOffset;
    static MObject aCenterFocalLength;
    static MObject aStylusWorldTranslate;
    static MObject aStylusWorldRotate;
    static MObject aCameraScale;
    static MObject aCameraCenterOfInterest;
    static MObject aScreenOffset;
    static MObject aStylusFilterMode;
    static MObject aStylusFilterMinCutoff;
    static MObject aStylusFilterSpeedCoefficient;
    static MObject aStylusFilterDerivativeCutoff;

protected:
    VexelDeviceNode();

    static constexpr short kZyxRotateOrder = 5;

    //! Takes the copies of the stylus and correction settings; every camera
    //! compute starts with it.
    MStatus copySettings(MDataBlock& dataBlock);

    //! One camera of the rig as the outputs give it.
    struct CameraRecord {
        double translate[3] = {0.0, 0.0, 0.0};
        double rotate[3] = {0.0, 0.0, 0.0};  // degrees
        short rotateOrder = kZyxRotateOrder;
        double filmAperture[2] = {0.0, 0.0};
        double filmOffset[2] = {0.0, 0.0};
        double focalLength = 0.0;
    };

    //! Follows the active view onto its display: its size on the screen and the
    //! stereo window and frustum of its viewport.
    void synchroniseView();
    //! The three camera records from the head pose and the stereo settings.
    MStatus computeCameras(MDataBlock& dataBlock);
    void fillCamera(CameraRecord& camera, int eye) const;
    static void setCameraOutputs(MDataBlock& dataBlock, const CameraRecord& camera,
                                 const MObject* const outputs[6]);
    MStatus computeStylusWorldPose(MDataBlock& dataBlock);

    CameraRecord leftCamera_;
    CameraRecord rightCamera_;
    CameraRecord centerCamera_;

    // Copies of the settings taken at each camera compute. The tracker thread
    // reads the filter settings, so they are atomics.
    std::atomic<bool> stereoCorrection_{true};
    std::atomic<bool> stylusSensitivityEnabled_{false};
    std::atomic<short> stylusSensitivityFactor_{5};
    std::atomic<bool> stylusDampingEnabled_{true};
    std::atomic<double> stylusDampingFactor_{0.0};
    std::atomic<short> stylusFilterMode_{0};
    std::atomic<double> stylusFilterMinCutoff_{VcOneEuroFilter::Parameters{}.minCutoff};
    std::atomic<double> stylusFilterSpeedCoefficient_{
        VcOneEuroFilter::Parameters{}.speedCoefficient};
    std::atomic<double> stylusFilterDerivativeCutoff_{
        VcOneEuroFilter::Parameters{}.derivativeCutoff};

    // Taken from the display record when the view changes.
    float displayWidthMetres_ = 0.0f;
    float displayHeightMetres_ = 0.0f;
    float screenOffset_[3] = {0.0f, 0.0f, 0.0f};

    vexel::common::Vector3 viewportOffset_{0.0f, 0.0f, 0.0f};
    float viewWidthMetres_ = 0.0f;
    float viewHeightMetres_ = 0.0f;

    vexel::common::Matrix4 headPose_;

    // Created on first use and owned; the frustum belongs to the viewport.
    vexel::stereo::StereoWindow* stereoWindow_ = nullptr;
    vexel::stereo::StereoViewport* stereoViewport_ = nullptr;
    vexel::stereo::StereoFrustum* stereoFrustum_ = nullptr;

    vexel::common::DisplayInfo* displayInfo_ = nullptr;

    vexel::common::Matrix4 trackerToCamera_;
    MMatrix trackerToCameraMatrix_;
};
