#include "framework/AfxResources.h"

#include <memory>
#include <string>
#include <unordered_map>

namespace {

struct Table {
    std::unordered_map<UINT, std::u16string> strings;
    std::unordered_map<UINT, std::vector<AfxMenuItem>> menus;
    std::unordered_map<UINT, std::vector<ACCEL>> accelerators;
    std::unordered_map<UINT, AfxToolBarResource> toolBars;
    std::unordered_map<UINT, std::string_view> bitmaps;
    std::unordered_map<UINT, std::vector<std::string_view>> icons;
    std::unordered_map<UINT, AfxDialogTemplate> dialogs;
    std::unique_ptr<AfxVersionInfo> version;
};

Table& TheTable() {
    static Table table;
    return table;
}

template <typename Map>
auto Lookup(const Map& map, UINT id) -> const typename Map::mapped_type* {
    const auto it = map.find(id);
    return it == map.end() ? nullptr : &it->second;
}

}  // namespace

LPCWSTR AfxVersionInfo::QueryValue(LPCWSTR key) const {
    for (const auto& [name, value] : strings)
        if (std::u16string_view(name) == std::u16string_view(key)) return value;
    return nullptr;
}

void AfxResources::AddString(UINT id, LPCWSTR text) {
    std::u16string& entry = TheTable().strings[id];
    const std::u16string_view value = text ? text : u"";
    if (entry != value) entry = value;  // pointers handed out stay valid on re-registration
}

void AfxResources::AddMenu(UINT id, std::vector<AfxMenuItem> items) {
    TheTable().menus[id] = std::move(items);
}

void AfxResources::AddAccelerators(UINT id, std::vector<ACCEL> table) {
    TheTable().accelerators[id] = std::move(table);
}

void AfxResources::AddToolBar(UINT id, AfxToolBarResource toolBar) {
    TheTable().toolBars[id] = std::move(toolBar);
}

void AfxResources::AddBitmap(UINT id, std::string_view xpm) { TheTable().bitmaps[id] = xpm; }

void AfxResources::AddIcon(UINT id, std::vector<std::string_view> xpms) {
    TheTable().icons[id] = std::move(xpms);
}

void AfxResources::AddDialog(UINT id, AfxDialogTemplate dialogTemplate) {
    TheTable().dialogs.insert_or_assign(id, std::move(dialogTemplate));
}

void AfxResources::SetVersionInfo(AfxVersionInfo info) {
    TheTable().version = std::make_unique<AfxVersionInfo>(std::move(info));
}

LPCWSTR AfxResources::FindString(UINT id) {
    const std::u16string* s = Lookup(TheTable().strings, id);
    return s ? s->c_str() : nullptr;
}

const std::vector<AfxMenuItem>* AfxResources::FindMenu(UINT id) { return Lookup(TheTable().menus, id); }

const std::vector<ACCEL>* AfxResources::FindAccelerators(UINT id) {
    return Lookup(TheTable().accelerators, id);
}

const AfxToolBarResource* AfxResources::FindToolBar(UINT id) { return Lookup(TheTable().toolBars, id); }

const AfxDialogTemplate* AfxResources::FindDialog(UINT id) { return Lookup(TheTable().dialogs, id); }

const AfxVersionInfo* AfxResources::GetVersionInfo() { return TheTable().version.get(); }

std::string_view AfxResources::FindBitmap(UINT id) {
    const std::string_view* xpm = Lookup(TheTable().bitmaps, id);
    return xpm ? *xpm : std::string_view();
}

std::vector<std::string_view> AfxResources::FindIcon(UINT id) {
    const auto* xpms = Lookup(TheTable().icons, id);
    return xpms ? *xpms : std::vector<std::string_view>();
}
