#pragma once
// Plug-in loading as Maya does it: files found on the plug-in path, dlopen'ed, their
// initializePlugin / uninitializePlugin called; Maya's own "stereoCamera" plug-in built in.

#include <memory>
#include <string>
#include <vector>

#include <maya/MObject.h>
#include <maya/MStatus.h>

namespace mayasim {

struct PluginRecord {
    std::string name;
    std::string path;  // the file; "" for a built-in plug-in
    std::string vendor = "Unknown";
    std::string version = "Unknown";
    std::string apiVersion = "Any";
    std::string uiCreation;
    std::string uiDeletion;
    bool builtIn = false;
    bool loaded = false;
    int registrationCalls = 0;
    void* handle = nullptr;
    std::vector<std::string> nodeTypesBefore;
};

class Plugins {
public:
    static Plugins& instance();
    Plugins(const Plugins&) = delete;
    Plugins& operator=(const Plugins&) = delete;

    // Directories searched for a plug-in given by name; MAYA_PLUG_IN_PATH (':'-separated)
    // until the host sets them.
    void setSearchPath(std::vector<std::string> directories);
    std::vector<std::string> searchPath() const;

    // Refuses the n-th registration call (counted from 1) of every plug-in load; 0 refuses none.
    void setRefusedRegistration(int n) { refusedRegistration_ = n; }
    // Counts a registration call of `plugin`; false when this one is to be refused.
    bool admitRegistration(const std::string& plugin);

    // `loadedName` receives the plug-in's name. Loading a loaded plug-in again does nothing
    // (with a warning unless quiet).
    MStatus load(const std::string& nameOrPath, bool quiet, std::string* loadedName);
    MStatus unload(const std::string& name, bool force);
    // Unloads every plug-in, newest first, as the host does when it exits.
    void unloadAll();

    bool isLoaded(const std::string& name) const;
    std::vector<std::string> loadedNames() const;
    PluginRecord* find(const std::string& name);
    // The MObject initializePlugin receives for a plug-in, and the plug-in it stands for.
    MObject objectFor(const std::string& name);
    static PluginRecord* recordOf(const MObject& plugin);

private:
    Plugins() = default;
    ~Plugins();
    std::string resolve(const std::string& nameOrPath) const;
    MStatus loadFile(const std::string& path, const std::string& name);
    MStatus loadBuiltIn(const std::string& name);
    bool safeToClose(const PluginRecord& record) const;

    std::vector<std::unique_ptr<PluginRecord>> records_;
    std::vector<std::string> searchPath_;
    bool searchPathSet_ = false;
    int refusedRegistration_ = 0;
};

}  // namespace mayasim
