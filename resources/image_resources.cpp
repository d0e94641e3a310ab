// Bitmaps 128 (tool bar), 131 (key folder), 132 (value types) and icon 128.

#include "framework/AfxResources.h"
#include "resources/resource.h"
#include "resources/resource_tables.h"

namespace brackwell::resources {

void RegisterImages() {
    AfxResources::AddBitmap(IDB_TOOLBAR, ToolbarXpm());
    AfxResources::AddBitmap(IDB_KEYS, KeysXpm());
    AfxResources::AddBitmap(IDB_VALUES, ValuesXpm());
    AfxResources::AddIcon(IDR_MAINFRAME, {Icon32Xpm(), Icon16Xpm()});
}

}  // namespace brackwell::resources
