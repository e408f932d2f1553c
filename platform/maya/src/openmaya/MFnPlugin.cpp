#define MNoVersionString
#include <maya/MFnPlugin.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Contexts.h>
#include <mayasim/NodeTypes.h>
#include <mayasim/Plugins.h>

#include <filesystem>

using mayasim::PluginRecord;
using mayasim::Plugins;

namespace {

PluginRecord* recordNamed(const std::string& name) {
    return Plugins::instance().find(name);
}

MString field(const std::string& name, std::string PluginRecord::*member, MStatus* status) {
    const PluginRecord* record = recordNamed(name);
    if (status)
        *status = record ? MS::kSuccess : MS::kFailure;
    return record ? MString((record->*member).c_str()) : MString();
}

}  // namespace

MFnPlugin::MFnPlugin() = default;

MFnPlugin::MFnPlugin(MObject& object, const char* vendor, const char* version,
                     const char* requiredApiVersion, MStatus* ReturnStatus) {
    PluginRecord* record = Plugins::recordOf(object);
    if (ReturnStatus)
        *ReturnStatus = record ? MS::kSuccess : MS::kInvalidParameter;
    if (!record)
        return;
    object_ = object;
    pluginName_ = record->name;
    record->vendor = vendor ? vendor : "Unknown";
    record->version = version ? version : "Unknown";
    record->apiVersion = requiredApiVersion ? requiredApiVersion : "Any";
}

MFnPlugin::~MFnPlugin() = default;

bool MFnPlugin::admit() const {
    return !pluginName_.empty() && Plugins::instance().admitRegistration(pluginName_);
}

MString MFnPlugin::vendor(MStatus* ReturnStatus) const {
    return field(pluginName_, &PluginRecord::vendor, ReturnStatus);
}

MString MFnPlugin::version(MStatus* ReturnStatus) const {
    return field(pluginName_, &PluginRecord::version, ReturnStatus);
}

MString MFnPlugin::apiVersion(MStatus* ReturnStatus) const {
    return field(pluginName_, &PluginRecord::apiVersion, ReturnStatus);
}

MString MFnPlugin::name(MStatus* ReturnStatus) const {
    return field(pluginName_, &PluginRecord::name, ReturnStatus);
}

MString MFnPlugin::loadPath(MStatus* ReturnStatus) const {
    const PluginRecord* record = recordNamed(pluginName_);
    if (ReturnStatus)
        *ReturnStatus = record ? MS::kSuccess : MS::kFailure;
    if (!record)
        return MString();
    return MString(std::filesystem::path(record->path).parent_path().string().c_str());
}

MStatus MFnPlugin::setName(const MString& newName, bool) {
    PluginRecord* record = recordNamed(pluginName_);
    if (!record || newName.length() == 0)
        return MS::kFailure;
    record->name = newName.asChar();
    pluginName_ = record->name;
    return MS::kSuccess;
}

MStatus MFnPlugin::setVersion(const MString& newVersion) {
    PluginRecord* record = recordNamed(pluginName_);
    if (!record)
        return MS::kFailure;
    record->version = newVersion.asChar();
    return MS::kSuccess;
}

MStatus MFnPlugin::registerNode(const MString& typeName, const MTypeId& typeId,
                                MCreatorFunction creatorFunction, MInitializeFunction initFunction,
                                MPxNode::Type type, const MString* classification) {
    if (!admit())
        return MS::kFailure;
    return mayasim::registerNodeType(typeName, typeId, creatorFunction, initFunction, type,
                                     classification, MString(pluginName_.c_str()));
}

MStatus MFnPlugin::deregisterNode(const MTypeId& typeId) {
    return mayasim::deregisterNodeType(typeId);
}

MStatus MFnPlugin::registerCommand(const MString& commandName, MCreatorFunction creatorFunction,
                                   MCreateSyntaxFunction createSyntaxFunction) {
    if (!admit())
        return MS::kFailure;
    return mayasim::CommandEngine::instance().registerCommand(
        commandName, creatorFunction, createSyntaxFunction, MString(pluginName_.c_str()));
}

MStatus MFnPlugin::deregisterCommand(const MString& commandName) {
    auto& engine = mayasim::CommandEngine::instance();
    if (!engine.hasCommand(commandName) || engine.ownerOf(commandName) != pluginName_) {
        return MS::kFailure;
    }
    return engine.deregisterCommand(commandName);
}

MStatus MFnPlugin::registerContextCommand(const MString& commandName,
                                          MCreatorFunction creatorFunction) {
    if (!admit())
        return MS::kFailure;
    return mayasim::contexts::registerContextCommand(
        commandName, creatorFunction, MString(), nullptr, nullptr, MString(pluginName_.c_str()));
}

MStatus MFnPlugin::registerContextCommand(const MString& commandName,
                                          MCreatorFunction creatorFunction,
                                          const MString& toolCmdName,
                                          MCreatorFunction toolCmdCreator,
                                          MCreateSyntaxFunction toolCmdSyntax) {
    if (!admit())
        return MS::kFailure;
    return mayasim::contexts::registerContextCommand(commandName, creatorFunction, toolCmdName,
                                                     toolCmdCreator, toolCmdSyntax,
                                                     MString(pluginName_.c_str()));
}

MStatus MFnPlugin::deregisterContextCommand(const MString& commandName) {
    return mayasim::contexts::deregisterContextCommand(commandName, MString());
}

MStatus MFnPlugin::deregisterContextCommand(const MString& commandName,
                                            const MString& toolCmdName) {
    return mayasim::contexts::deregisterContextCommand(commandName, toolCmdName);
}

MStatus MFnPlugin::registerUI(const MString& creationProc, const MString& deletionProc,
                              const MString&, const MString&) {
    if (!admit())
        return MS::kFailure;
    PluginRecord* record = recordNamed(pluginName_);
    record->uiCreation = creationProc.asChar();
    record->uiDeletion = deletionProc.asChar();
    return MS::kSuccess;
}

MObject MFnPlugin::findPlugin(const MString& pluginName) {
    return Plugins::instance().isLoaded(pluginName.asChar())
               ? Plugins::instance().objectFor(pluginName.asChar())
               : MObject();
}

bool MFnPlugin::isNodeRegistered(const MString& typeName) {
    return mayasim::isNodeTypeRegistered(typeName);
}
