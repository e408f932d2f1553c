#include <mayasim/Plugins.h>

#include <maya/MArgDatabase.h>
#include <maya/MGlobal.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <mayasim/CommandEngine.h>
#include <mayasim/Contexts.h>
#include <mayasim/DgObject.h>
#include <mayasim/Messages.h>
#include <mayasim/NodeTypes.h>
#include <mayasim/UndoQueue.h>

#include <dlfcn.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <map>

#include "BuiltinCommands.h"

namespace mayasim {
namespace {

namespace fs = std::filesystem;

constexpr const char* kStereoCamera = "stereoCamera";

using EntryPoint = MStatus (*)(MObject);

// The MObject a plug-in's entry points receive.
class PluginObject : public Object {
public:
    explicit PluginObject(std::string name) : name_(std::move(name)) {}
    MFn::Type apiType() const override { return MFn::kBase; }
    const std::string& name() const { return name_; }

private:
    std::string name_;
};

CommandEngine& engine() {
    return CommandEngine::instance();
}

void error(const std::string& text) {
    engine().showMessage("error", text);
}

// Plug-ins export their entry points as C++ functions of MObject; accept C linkage as well.
EntryPoint entryPoint(void* handle, const char* plainName, const char* mangledName) {
    void* symbol = dlsym(handle, mangledName);
    if (!symbol)
        symbol = dlsym(handle, plainName);
    return reinterpret_cast<EntryPoint>(symbol);
}

// A UI procedure is written as the body of a MEL string literal (Maya evaluates it from one),
// so its \" and \\ stand for " and \.
std::string unescapedProcedure(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && (text[i + 1] == '"' || text[i + 1] == '\\')) {
            ++i;
        }
        out += text[i];
    }
    return out;
}

void runProcedure(const std::string& procedure) {
    if (!procedure.empty()) {
        engine().executeMel(MString(unescapedProcedure(procedure).c_str()), nullptr, false, false);
    }
}

std::string baseName(const std::string& path) {
    std::string stem = fs::path(path).stem().string();
    return stem;
}

// Maya's stereo camera plug-in: the rig types and their builders.
struct RigDefinition {
    std::string language;
    std::string procedure;
};

std::map<std::string, RigDefinition>& rigs() {
    static std::map<std::string, RigDefinition> registry;
    return registry;
}

class StereoRigManagerCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-add", "-addRig", MSyntax::kString, MSyntax::kString, MSyntax::kString);
        syntax.addFlag("-del", "-delete", MSyntax::kString);
        syntax.addFlag("-lr", "-listRigs");
        syntax.addFlag("-rd", "-rigDefinition", MSyntax::kString);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        if (db.isFlagSet("-add")) {
            const std::string name = db.flagArgumentString("-add", 0).asChar();
            rigs()[name] = {db.flagArgumentString("-add", 1).asChar(),
                            db.flagArgumentString("-add", 2).asChar()};
        }
        if (db.isFlagSet("-del")) {
            const std::string name = db.flagArgumentString("-del", 0).asChar();
            if (!rigs().erase(name)) {
                displayError(MString("stereoRigManager: no rig type named \"") + name.c_str() +
                             "\"");
                return MS::kInvalidParameter;
            }
        }
        if (db.isFlagSet("-lr")) {
            MStringArray names;
            for (const auto& rig : rigs())
                names.append(MString(rig.first.c_str()));
            setResult(names);
        }
        if (db.isFlagSet("-rd")) {
            auto it = rigs().find(db.flagArgumentString("-rd", 0).asChar());
            if (it == rigs().end()) {
                displayError("stereoRigManager: no rig type named \"" +
                             db.flagArgumentString("-rd", 0) + "\"");
                return MS::kInvalidParameter;
            }
            MStringArray definition;
            definition.append(MString(it->second.language.c_str()));
            definition.append(MString(it->second.procedure.c_str()));
            setResult(definition);
        }
        return MS::kSuccess;
    }
};

class LoadPluginCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-qt", "-quiet");
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        MStringArray loaded;
        for (unsigned int i = 0; i < names.length(); ++i) {
            std::string name;
            const bool wasLoaded = Plugins::instance().isLoaded(baseName(names[i].asChar()));
            status = Plugins::instance().load(names[i].asChar(), db.isFlagSet("-qt"), &name);
            if (!status)
                return status;
            if (!wasLoaded)
                loaded.append(MString(name.c_str()));
        }
        setResult(loaded);
        return MS::kSuccess;
    }
};

class UnloadPluginCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-f", "-force");
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        MStringArray names;
        db.getObjects(names);
        for (unsigned int i = 0; i < names.length(); ++i) {
            status = Plugins::instance().unload(baseName(names[i].asChar()), db.isFlagSet("-f"));
            if (!status)
                return status;
            appendToResult(MString(baseName(names[i].asChar()).c_str()));
        }
        return MS::kSuccess;
    }
};

class PluginInfoCmd : public MPxCommand {
public:
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.enableQuery();
        syntax.addFlag("-l", "-loaded");
        syntax.addFlag("-p", "-path");
        syntax.addFlag("-v", "-version");
        syntax.addFlag("-vd", "-vendor");
        syntax.addFlag("-ls", "-listPlugins");
        syntax.addFlag("-c", "-command");
        syntax.addFlag("-dn", "-dependNode");
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        return syntax;
    }
    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        Plugins& plugins = Plugins::instance();
        if (db.isFlagSet("-ls")) {
            MStringArray names;
            for (const auto& name : plugins.loadedNames())
                names.append(MString(name.c_str()));
            setResult(names);
            return MS::kSuccess;
        }
        MStringArray objects;
        db.getObjects(objects);
        if (objects.length() != 1) {
            displayError("pluginInfo: name a plug-in");
            return MS::kInvalidParameter;
        }
        const std::string name = baseName(objects[0].asChar());
        const PluginRecord* record = plugins.find(name);
        if (db.isFlagSet("-l")) {
            setResult(plugins.isLoaded(name));
            return MS::kSuccess;
        }
        if (!record || !record->loaded) {
            displayError(MString("Plug-in \"") + name.c_str() + "\" is not loaded.");
            return MS::kNotFound;
        }
        if (db.isFlagSet("-p"))
            setResult(MString(record->path.c_str()));
        if (db.isFlagSet("-v"))
            setResult(MString(record->version.c_str()));
        if (db.isFlagSet("-vd"))
            setResult(MString(record->vendor.c_str()));
        if (db.isFlagSet("-c")) {
            MStringArray commands;
            for (const auto& command : engine().commandsOwnedBy(name)) {
                commands.append(MString(command.c_str()));
            }
            setResult(commands);
        }
        if (db.isFlagSet("-dn")) {
            MStringArray types;
            for (const auto& type : nodeTypeNamesOfOwner(MString(name.c_str()))) {
                types.append(MString(type.c_str()));
            }
            setResult(types);
        }
        return MS::kSuccess;
    }
};

}  // namespace

Plugins& Plugins::instance() {
    static Plugins plugins;
    return plugins;
}

Plugins::~Plugins() = default;

void Plugins::setSearchPath(std::vector<std::string> directories) {
    searchPath_ = std::move(directories);
    searchPathSet_ = true;
}

std::vector<std::string> Plugins::searchPath() const {
    if (searchPathSet_)
        return searchPath_;
    std::vector<std::string> directories;
    const char* env = std::getenv("MAYA_PLUG_IN_PATH");
    std::string text = env ? env : "";
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(':', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            directories.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return directories;
}

bool Plugins::admitRegistration(const std::string& plugin) {
    PluginRecord* record = find(plugin);
    if (!record)
        return false;
    ++record->registrationCalls;
    return refusedRegistration_ <= 0 || record->registrationCalls != refusedRegistration_;
}

std::string Plugins::resolve(const std::string& nameOrPath) const {
    const std::string expanded = MString(nameOrPath.c_str()).expandFilePath().asChar();
    auto candidateIn = [](const std::string& base) -> std::string {
        for (const char* suffix : {"", ".so", ".mll"}) {
            std::error_code error;
            const std::string file = base + suffix;
            if (fs::is_regular_file(file, error))
                return fs::absolute(file, error).string();
        }
        return {};
    };
    if (expanded.find('/') != std::string::npos)
        return candidateIn(expanded);
    for (const auto& directory : searchPath()) {
        std::string found = candidateIn(directory + "/" + expanded);
        if (!found.empty())
            return found;
    }
    return {};
}

MStatus Plugins::load(const std::string& nameOrPath, bool quiet, std::string* loadedName) {
    const std::string name = baseName(nameOrPath);
    if (loadedName)
        *loadedName = name;
    if (isLoaded(name)) {
        if (!quiet) {
            engine().showMessage("warning", "Plug-in \"" + name + "\" is already loaded.");
        }
        return MS::kSuccess;
    }
    const std::string path = resolve(nameOrPath);
    if (!path.empty())
        return loadFile(path, name);
    if (name == kStereoCamera && nameOrPath.find('/') == std::string::npos) {
        return loadBuiltIn(name);
    }
    error("Plug-in, \"" + nameOrPath + "\", was not found on MAYA_PLUG_IN_PATH.");
    return MS::kNotFound;
}

MStatus Plugins::loadBuiltIn(const std::string& name) {
    PluginRecord* record = find(name);
    if (!record) {
        records_.push_back(std::make_unique<PluginRecord>());
        record = records_.back().get();
        record->name = name;
        record->builtIn = true;
        record->vendor = "Autodesk";
        record->version = "2012";
    }
    MStatus status =
        engine().registerCommand("stereoRigManager", createCommand<StereoRigManagerCmd>,
                                 StereoRigManagerCmd::newSyntax, name.c_str());
    record->loaded = status;
    return status;
}

MStatus Plugins::loadFile(const std::string& path, const std::string& name) {
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error("Unable to dynamically load " + path + ": " + (why ? why : "unknown error"));
        return MS::kFailure;
    }
    EntryPoint initialize = entryPoint(handle, "initializePlugin", "_Z16initializePlugin7MObject");
    if (!initialize) {
        error("initializePlugin function could not be found in plug-in \"" + path + "\"");
        dlclose(handle);
        return MS::kFailure;
    }
    // A record left by an earlier failed load is reused: its registrations are still in place.
    PluginRecord* record = find(name);
    if (!record) {
        records_.push_back(std::make_unique<PluginRecord>());
        record = records_.back().get();
        record->name = name;
        record->nodeTypesBefore = nodeTypeNames();
    } else if (record->handle && record->handle != handle) {
        dlclose(record->handle);
    }
    record->path = path;
    record->handle = handle;
    record->registrationCalls = 0;
    MStatus status = initialize(objectFor(name));
    if (!status) {
        error("initializePlugin function failed (" + name + ")");
        return status;
    }
    record->loaded = true;
    runProcedure(record->uiCreation);
    return MS::kSuccess;
}

MStatus Plugins::unload(const std::string& name, bool force) {
    PluginRecord* record = find(name);
    if (!record || !record->loaded) {
        error("Plug-in \"" + name + "\" is not loaded.");
        return MS::kNotFound;
    }
    if (record->builtIn) {
        engine().deregisterCommand("stereoRigManager");
        record->loaded = false;
        return MS::kSuccess;
    }
    // Manipulators do not hold the plug-in: they belong to its tools, which the unload takes
    // down (and their manipulators with them) before the plug-in goes, as in Maya.
    const int liveNodes = liveNodeCountOfOwner(name.c_str(), false);
    if (liveNodes > 0 && !force) {
        error("Cannot unload plug-in \"" + name + "\": " + std::to_string(liveNodes) +
              " node(s) of its types are in the scene (use -force to unload anyway).");
        return MS::kFailure;
    }
    // The undo queue may hold the plug-in's commands; Maya empties it before unloading.
    engine().undoQueue().flush();
    contexts::deletePendingToolCommands(name);
    runProcedure(record->uiDeletion);
    EntryPoint uninitialize =
        entryPoint(record->handle, "uninitializePlugin", "_Z18uninitializePlugin7MObject");
    MStatus status = uninitialize ? uninitialize(objectFor(name)) : MStatus(MS::kSuccess);
    if (!status) {
        error("uninitializePlugin function failed (" + name + ")");
        return status;
    }
    if (safeToClose(*record))
        dlclose(record->handle);
    records_.erase(std::find_if(records_.begin(), records_.end(),
                                [&](const auto& r) { return r.get() == record; }));
    return MS::kSuccess;
}

// The library stays mapped while anything of it is still reachable: a command, a context
// command, a callback, a node or node type it left behind.
bool Plugins::safeToClose(const PluginRecord& record) const {
    if (!engine().commandsOwnedBy(record.name).empty())
        return false;
    if (liveNodeCountOfOwner(record.name.c_str()) > 0)
        return false;
    for (const auto& type : nodeTypeNames()) {
        if (std::find(record.nodeTypesBefore.begin(), record.nodeTypesBefore.end(), type) ==
            record.nodeTypesBefore.end()) {
            return false;
        }
    }
    void* initialize = dlsym(record.handle, "_Z16initializePlugin7MObject");
    if (!initialize)
        initialize = dlsym(record.handle, "initializePlugin");
    return !initialize || messages::callbacksInModuleOf(initialize) == 0;
}

void Plugins::unloadAll() {
    const std::vector<std::string> names = loadedNames();
    for (auto name = names.rbegin(); name != names.rend(); ++name)
        unload(*name, true);
}

bool Plugins::isLoaded(const std::string& name) const {
    return std::any_of(records_.begin(), records_.end(),
                       [&](const auto& r) { return r->name == name && r->loaded; });
}

std::vector<std::string> Plugins::loadedNames() const {
    std::vector<std::string> names;
    for (const auto& record : records_) {
        if (record->loaded)
            names.push_back(record->name);
    }
    return names;
}

PluginRecord* Plugins::find(const std::string& name) {
    for (const auto& record : records_) {
        if (record->name == name)
            return record.get();
    }
    return nullptr;
}

MObject Plugins::objectFor(const std::string& name) {
    return ObjectAccess::wrap(std::make_shared<PluginObject>(name));
}

PluginRecord* Plugins::recordOf(const MObject& plugin) {
    auto* object = ObjectAccess::as<PluginObject>(plugin);
    return object ? instance().find(object->name()) : nullptr;
}

void registerPluginCommands(CommandEngine& engine) {
    engine.registerCommand("loadPlugin", createCommand<LoadPluginCmd>, LoadPluginCmd::newSyntax,
                           "");
    engine.registerCommand("unloadPlugin", createCommand<UnloadPluginCmd>,
                           UnloadPluginCmd::newSyntax, "");
    engine.registerCommand("pluginInfo", createCommand<PluginInfoCmd>, PluginInfoCmd::newSyntax,
                           "");
}

}  // namespace mayasim
