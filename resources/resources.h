#pragma once
// Registers the program's menu, accelerators, tool bar, string table,
// bitmaps, icon, dialog templates and version block with the framework.
// Called once by main and by test fixtures before the framework starts;
// calling it again is harmless.

namespace brackwell::resources {

void Register();

}  // namespace brackwell::resources
