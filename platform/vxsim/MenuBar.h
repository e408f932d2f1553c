// The menus of Maya's main window ("MayaWindow"), as the menu commands build them.
#pragma once

#include <string>
#include <vector>

namespace vxsim {

struct MenuItem {
    std::string name;
    std::string label;
    std::string command;
    std::string sourceType = "python";  //!< what `command` is written in: "python" or "mel"
    bool divider = false;
};

struct Menu {
    std::string name;
    std::string label;
    bool tearOff = false;
    std::vector<MenuItem> items;
};

//! The main window's menu bar. Names are unique across menus and items, as Maya's UI
//! names are; lookups take a short name or a full path ("MayaWindow|menu|item").
class MenuBar {
public:
    static constexpr const char* kMainWindow = "MayaWindow";

    static MenuBar& instance();

    //! Adds a menu; an empty name gets "menuN". Returns the menu, or null when the name is
    //! taken.
    Menu* addMenu(const std::string& name);
    //! Adds an item to a menu; an empty name gets "menuItemN". Null when the name is taken.
    MenuItem* addItem(Menu& menu, const std::string& name);

    Menu* findMenu(const std::string& name);
    MenuItem* findItem(const std::string& name, Menu** owner = nullptr);
    //! The menu new items go to when no parent is named: the last one made.
    Menu* currentMenu();

    bool removeMenu(const std::string& name);
    bool removeItem(const std::string& name);
    void clear();

    const std::vector<Menu>& menus() const { return menus_; }
    static std::string fullName(const Menu& menu);
    static std::string fullName(const Menu& menu, const MenuItem& item);

private:
    MenuBar() = default;
    bool nameTaken(const std::string& name);
    std::string uniqueName(const std::string& prefix);

    std::vector<Menu> menus_;
    std::string current_;
};

}  // namespace vxsim
