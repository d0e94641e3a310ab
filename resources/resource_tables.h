#pragma once
// The parts of the program's resources, each registered by one function.

#include <string_view>

namespace brackwell::resources {

void RegisterStrings();
void RegisterMenus();
void RegisterImages();
void RegisterDialogs();
void RegisterVersion();

// The embedded XPM images.
std::string_view ToolbarXpm();
std::string_view KeysXpm();
std::string_view ValuesXpm();
std::string_view Icon32Xpm();
std::string_view Icon16Xpm();

}  // namespace brackwell::resources
