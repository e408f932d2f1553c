#pragma once
// Callbacks for model changes: the active selection list.

#include <maya/MMessage.h>

class MModelMessage : public MMessage {
public:
    enum Message { kActiveListModified };

    static MCallbackId addCallback(Message message, MMessage::MBasicFunction func,
                                   void* clientData = NULL, MStatus* ReturnStatus = NULL);
};
