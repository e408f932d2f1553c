#include "MenuCommands.h"

#include "MenuBar.h"

#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include <maya/MArgDatabase.h>
#include <maya/MArgList.h>
#include <maya/MPxCommand.h>
#include <maya/MStringArray.h>
#include <maya/MSyntax.h>

#include <mayasim/CommandEngine.h>

namespace vxsim {
namespace {

MString text(const std::string& value) {
    return MString(value.c_str());
}

MStatus notFound(const std::string& name) {
    MPxCommand::displayError(text("Object '" + name + "' not found."));
    return MS::kNotFound;
}

MStatus notUnique(const std::string& name) {
    MPxCommand::displayError(text("Object's name '" + name + "' is not unique."));
    return MS::kInvalidParameter;
}

std::string objectName(const MArgDatabase& db) {
    MStringArray objects;
    db.getObjects(objects);
    return objects.length() > 0 ? objects[0].asChar() : "";
}

// A command string written while Python runs is Python, as Maya assumes the language of
// the script that builds the menu.
std::string callerLanguage() {
    return Py_IsInitialized() && PyEval_GetFrame() ? "python" : "mel";
}

class MenuCmd : public MPxCommand {
public:
    static void* creator() { return new MenuCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-l", "-label", MSyntax::kString);
        syntax.addFlag("-p", "-parent", MSyntax::kString);
        syntax.addFlag("-to", "-tearOff", MSyntax::kBoolean);
        syntax.addFlag("-ex", "-exists");
        syntax.addFlag("-ia", "-itemArray");
        syntax.addFlag("-ni", "-numberOfItems");
        syntax.addFlag("-dai", "-deleteAllItems");
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.enableQuery(true);
        syntax.enableEdit(true);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        const std::string name = objectName(db);
        MenuBar& bar = MenuBar::instance();
        if (db.isFlagSet("-ex")) {
            setResult(bar.findMenu(name) != nullptr);
            return MS::kSuccess;
        }
        if (db.isQuery() || db.isEdit()) {
            Menu* menu = bar.findMenu(name);
            if (!menu)
                return notFound(name);
            return db.isQuery() ? query(db, *menu) : edit(db, *menu);
        }
        if (db.isFlagSet("-p") && db.flagArgumentString("-p", 0) != MenuBar::kMainWindow) {
            return notFound(db.flagArgumentString("-p", 0).asChar());
        }
        Menu* menu = bar.addMenu(name);
        if (!menu)
            return notUnique(name);
        edit(db, *menu);
        setResult(text(MenuBar::fullName(*menu)));
        return MS::kSuccess;
    }

private:
    MStatus query(const MArgDatabase& db, const Menu& menu) {
        if (db.isFlagSet("-l"))
            setResult(text(menu.label));
        if (db.isFlagSet("-to"))
            setResult(menu.tearOff);
        if (db.isFlagSet("-ni"))
            setResult(static_cast<int>(menu.items.size()));
        if (db.isFlagSet("-ia")) {
            MStringArray names;
            for (const MenuItem& item : menu.items)
                names.append(text(item.name));
            setResult(names);
        }
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, Menu& menu) {
        if (db.isFlagSet("-l"))
            menu.label = db.flagArgumentString("-l", 0).asChar();
        if (db.isFlagSet("-to"))
            menu.tearOff = db.flagArgumentBool("-to", 0);
        if (db.isFlagSet("-dai"))
            menu.items.clear();
        return MS::kSuccess;
    }
};

class MenuItemCmd : public MPxCommand {
public:
    static void* creator() { return new MenuItemCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-l", "-label", MSyntax::kString);
        syntax.addFlag("-c", "-command", MSyntax::kString);
        syntax.addFlag("-p", "-parent", MSyntax::kString);
        syntax.addFlag("-d", "-divider", MSyntax::kBoolean);
        syntax.addFlag("-stp", "-sourceType", MSyntax::kString);
        syntax.addFlag("-ex", "-exists");
        syntax.setObjectType(MSyntax::kStringObjects, 0, 1);
        syntax.enableQuery(true);
        syntax.enableEdit(true);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        const std::string name = objectName(db);
        MenuBar& bar = MenuBar::instance();
        if (db.isFlagSet("-ex")) {
            setResult(bar.findItem(name) != nullptr);
            return MS::kSuccess;
        }
        if (db.isQuery() || db.isEdit()) {
            MenuItem* item = bar.findItem(name);
            if (!item)
                return notFound(name);
            return db.isQuery() ? query(db, *item) : edit(db, *item);
        }
        Menu* menu = db.isFlagSet("-p") ? bar.findMenu(db.flagArgumentString("-p", 0).asChar())
                                        : bar.currentMenu();
        if (!menu) {
            return notFound(db.isFlagSet("-p") ? db.flagArgumentString("-p", 0).asChar()
                                               : std::string("menu"));
        }
        MenuItem* item = bar.addItem(*menu, name);
        if (!item)
            return notUnique(name);
        item->sourceType = callerLanguage();
        edit(db, *item);
        setResult(text(MenuBar::fullName(*menu, *item)));
        return MS::kSuccess;
    }

private:
    MStatus query(const MArgDatabase& db, const MenuItem& item) {
        if (db.isFlagSet("-l"))
            setResult(text(item.label));
        if (db.isFlagSet("-c"))
            setResult(text(item.command));
        if (db.isFlagSet("-d"))
            setResult(item.divider);
        if (db.isFlagSet("-stp"))
            setResult(text(item.sourceType));
        return MS::kSuccess;
    }

    MStatus edit(const MArgDatabase& db, MenuItem& item) {
        if (db.isFlagSet("-l"))
            item.label = db.flagArgumentString("-l", 0).asChar();
        if (db.isFlagSet("-c"))
            item.command = db.flagArgumentString("-c", 0).asChar();
        if (db.isFlagSet("-d"))
            item.divider = db.flagArgumentBool("-d", 0);
        if (db.isFlagSet("-stp")) {
            std::string language = db.flagArgumentString("-stp", 0).asChar();
            if (language != "python" && language != "mel") {
                displayError(text("Invalid sourceType '" + language + "': python or mel"));
                return MS::kInvalidParameter;
            }
            item.sourceType = language;
        }
        return MS::kSuccess;
    }
};

class DeleteUiCmd : public MPxCommand {
public:
    static void* creator() { return new DeleteUiCmd; }
    static MSyntax newSyntax() {
        MSyntax syntax;
        syntax.addFlag("-m", "-menu");
        syntax.addFlag("-mi", "-menuItem");
        syntax.setObjectType(MSyntax::kStringObjects, 1);
        return syntax;
    }

    MStatus doIt(const MArgList& args) override {
        MStatus status;
        MArgDatabase db(syntax(), args, &status);
        if (!status)
            return status;
        const bool menus = db.isFlagSet("-m") || !db.isFlagSet("-mi");
        const bool items = db.isFlagSet("-mi") || !db.isFlagSet("-m");
        MStringArray objects;
        db.getObjects(objects);
        MenuBar& bar = MenuBar::instance();
        for (unsigned int i = 0; i < objects.length(); ++i) {
            const std::string name = objects[i].asChar();
            if (!(menus && bar.removeMenu(name)) && !(items && bar.removeItem(name))) {
                return notFound(name);
            }
        }
        return MS::kSuccess;
    }
};

struct CommandDefinition {
    const char* name;
    mayasim::CommandCreator creator;
    mayasim::SyntaxCreator syntax;
};

const CommandDefinition kCommands[] = {
    {"menu", MenuCmd::creator, MenuCmd::newSyntax},
    {"menuItem", MenuItemCmd::creator, MenuItemCmd::newSyntax},
    {"deleteUI", DeleteUiCmd::creator, DeleteUiCmd::newSyntax},
};

bool matches(const std::string& wanted, const std::string& name, const std::string& label) {
    return wanted == name || wanted == label ||
           wanted == std::string(MenuBar::kMainWindow) + "|" + name;
}

}  // namespace

void registerMenuCommands() {
    auto& engine = mayasim::CommandEngine::instance();
    for (const CommandDefinition& command : kCommands) {
        if (!engine.hasCommand(command.name)) {
            engine.registerCommand(command.name, command.creator, command.syntax, "");
        }
    }
}

void deregisterMenuCommands() {
    auto& engine = mayasim::CommandEngine::instance();
    for (const CommandDefinition& command : kCommands)
        engine.deregisterCommand(command.name);
    MenuBar::instance().clear();
}

MStatus chooseMenuItem(const std::string& menuName, const std::string& itemName,
                       std::string& error) {
    for (const Menu& menu : MenuBar::instance().menus()) {
        if (!matches(menuName, menu.name, menu.label))
            continue;
        for (const MenuItem& item : menu.items) {
            if (item.divider || !matches(itemName, item.name, item.label))
                continue;
            mayasim::ErrorCapture errors;
            auto& engine = mayasim::CommandEngine::instance();
            MStatus status = item.sourceType == "python"
                                 ? engine.runPython(item.command, nullptr, false)
                                 : engine.executeMel(text(item.command), nullptr, false, true);
            if (!status)
                error = errors.last().empty() ? "the item's command failed" : errors.last();
            return status;
        }
        error = "menu '" + menuName + "' has no item '" + itemName + "'";
        return MS::kNotFound;
    }
    error = "no menu '" + menuName + "'";
    return MS::kNotFound;
}

}  // namespace vxsim
