#pragma once
// Base of the message classes: callback identifiers and their removal.

#include <maya/MStatus.h>
#include <maya/MTypes.h>

class MCallbackIdArray;
class MObject;

typedef MUintPtrSz MCallbackId;

class MMessage {
public:
    typedef void (*MBasicFunction)(void* clientData);
    typedef void (*MCheckFunction)(bool* retCode, void* clientData);

    static MStatus removeCallback(MCallbackId id);
    static MStatus removeCallbacks(MCallbackIdArray& ids);
    static MCallbackId currentCallbackId(MStatus* ReturnStatus = NULL);
    static MStatus nodeCallbacks(MObject& node, MCallbackIdArray& ids);
};
