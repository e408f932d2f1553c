#pragma once
// A batch of dependency graph edits: queued by the calls below, applied by doIt and
// reverted, in reverse order, by undoIt.

#include <functional>
#include <memory>
#include <vector>

#include <maya/MObject.h>
#include <maya/MPlug.h>
#include <maya/MStatus.h>
#include <maya/MString.h>
#include <maya/MTypeId.h>

namespace mayasim {
class EditLog;
}

class MDGModifier {
public:
    MDGModifier();
    MDGModifier(const MDGModifier&) = delete;
    MDGModifier& operator=(const MDGModifier&) = delete;
    virtual ~MDGModifier();

    MObject createNode(const MTypeId& typeId, MStatus* ReturnStatus = NULL);
    MObject createNode(const MString& type, MStatus* ReturnStatus = NULL);
    MStatus deleteNode(const MObject& node);
    MStatus renameNode(const MObject& node, const MString& newName);
    MStatus connect(const MObject& sourceNode, const MObject& sourceAttr, const MObject& destNode,
                    const MObject& destAttr);
    MStatus connect(const MPlug& source, const MPlug& dest);
    MStatus disconnect(const MObject& sourceNode, const MObject& sourceAttr,
                       const MObject& destNode, const MObject& destAttr);
    MStatus disconnect(const MPlug& source, const MPlug& dest);
    MStatus addAttribute(const MObject& node, const MObject& attribute);
    MStatus removeAttribute(const MObject& node, const MObject& attribute);
    MStatus newPlugValueBool(const MPlug& plug, bool value);
    MStatus newPlugValueShort(const MPlug& plug, short value);
    MStatus newPlugValueInt(const MPlug& plug, int value);
    MStatus newPlugValueFloat(const MPlug& plug, float value);
    MStatus newPlugValueDouble(const MPlug& plug, double value);
    MStatus newPlugValueString(const MPlug& plug, const MString& value);
    MStatus commandToExecute(const MString& command);

    MStatus doIt();
    MStatus undoIt();

protected:
    using Operation = std::function<MStatus(mayasim::EditLog&)>;
    // Queues an edit, applied at the next doIt.
    void queue(Operation operation);
    // Creates the node right away, as Maya does, so that later calls can refer to it; it
    // enters the scene at doIt.
    MObject makeNode(const MString& type, const MObject& parent, MStatus* ReturnStatus);

private:
    std::vector<Operation> pending_;
    std::unique_ptr<mayasim::EditLog> done_;
};
