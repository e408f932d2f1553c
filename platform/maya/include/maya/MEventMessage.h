#pragma once
// Callbacks for named application events such as "idle" and "SelectionChanged".

#include <maya/MMessage.h>
#include <maya/MString.h>

class MStringArray;

class MEventMessage : public MMessage {
public:
    static MCallbackId addEventCallback(const MString& event, MMessage::MBasicFunction func,
                                        void* clientData = NULL, MStatus* ReturnStatus = NULL);
    static MStatus getEventNames(MStringArray& names);
};
