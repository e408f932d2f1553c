#include "MenuBar.h"

#include <algorithm>

namespace vxsim {
namespace {

std::string shortName(const std::string& name) {
    std::size_t bar = name.rfind('|');
    return bar == std::string::npos ? name : name.substr(bar + 1);
}

}  // namespace

MenuBar& MenuBar::instance() {
    static MenuBar bar;
    return bar;
}

Menu* MenuBar::addMenu(const std::string& name) {
    std::string chosen = name.empty() ? uniqueName("menu") : shortName(name);
    if (nameTaken(chosen))
        return nullptr;
    menus_.push_back(Menu{chosen, chosen, false, {}});
    current_ = chosen;
    return &menus_.back();
}

MenuItem* MenuBar::addItem(Menu& menu, const std::string& name) {
    std::string chosen = name.empty() ? uniqueName("menuItem") : shortName(name);
    if (nameTaken(chosen))
        return nullptr;
    menu.items.push_back(MenuItem{chosen, chosen, "", "python", false});
    return &menu.items.back();
}

Menu* MenuBar::findMenu(const std::string& name) {
    std::string wanted = shortName(name);
    for (Menu& menu : menus_) {
        if (menu.name == wanted)
            return &menu;
    }
    return nullptr;
}

MenuItem* MenuBar::findItem(const std::string& name, Menu** owner) {
    std::string wanted = shortName(name);
    for (Menu& menu : menus_) {
        for (MenuItem& item : menu.items) {
            if (item.name != wanted)
                continue;
            if (owner)
                *owner = &menu;
            return &item;
        }
    }
    return nullptr;
}

Menu* MenuBar::currentMenu() {
    return findMenu(current_);
}

bool MenuBar::removeMenu(const std::string& name) {
    std::string wanted = shortName(name);
    auto found = std::find_if(menus_.begin(), menus_.end(),
                              [&](const Menu& menu) { return menu.name == wanted; });
    if (found == menus_.end())
        return false;
    menus_.erase(found);
    return true;
}

bool MenuBar::removeItem(const std::string& name) {
    Menu* owner = nullptr;
    MenuItem* item = findItem(name, &owner);
    if (!item)
        return false;
    owner->items.erase(owner->items.begin() + (item - owner->items.data()));
    return true;
}

void MenuBar::clear() {
    menus_.clear();
    current_.clear();
}

std::string MenuBar::fullName(const Menu& menu) {
    return std::string(kMainWindow) + "|" + menu.name;
}

std::string MenuBar::fullName(const Menu& menu, const MenuItem& item) {
    return fullName(menu) + "|" + item.name;
}

bool MenuBar::nameTaken(const std::string& name) {
    return name == kMainWindow || findMenu(name) || findItem(name);
}

std::string MenuBar::uniqueName(const std::string& prefix) {
    for (int n = 1;; ++n) {
        std::string name = prefix + std::to_string(n);
        if (!nameTaken(name))
            return name;
    }
}

}  // namespace vxsim
