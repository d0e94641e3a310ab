// Menu bar, accelerators and tool bar 128.

#include "framework/AfxResources.h"
#include "resources/resource.h"
#include "resources/resource_tables.h"

namespace brackwell::resources {

void RegisterMenus() {
    AfxResources::AddMenu(
        IDR_MAINFRAME,
        {
            {u"File", 0, {{u"Exit", ID_APP_EXIT, {}}}},
            {u"Edit",
             0,
             {
                 {u"New",
                  0,
                  {
                      {u"Key...", ID_EDIT_NEW_KEY, {}},
                      {u"Number...", ID_EDIT_NEW_NUMBER, {}},
                      {u"String...", ID_EDIT_NEW_STRING, {}},
                      {u"Multi String...", ID_EDIT_NEW_MULTISTRING, {}},
                      {u"Binary...", ID_EDIT_NEW_BINARY, {}},
                  }},
                 {u"Modify...", ID_EDIT_MODIFY, {}},
                 {u"Rename", ID_EDIT_RENAME, {}},
                 {u"Delete", ID_EDIT_DELETE, {}},
                 {nullptr, 0, {}},
                 {u"Find...", ID_EDIT_FIND, {}},
                 {u"Find Next", ID_EDIT_FIND_NEXT, {}},
             }},
            {u"View", 0, {{u"Refresh", ID_VIEW_REFRESH, {}}}},
            {u"Help", 0, {{u"About Brackwell...", ID_APP_ABOUT, {}}}},
        });

    constexpr BYTE kCtrl = FVIRTKEY | FCONTROL;
    AfxResources::AddAccelerators(IDR_MAINFRAME, {
                                                     {kCtrl, 'N', ID_FILE_NEW},
                                                     {kCtrl, 'O', ID_FILE_OPEN},
                                                     {kCtrl, 'S', ID_FILE_SAVE},
                                                     {kCtrl, 'Z', ID_EDIT_UNDO},
                                                     {kCtrl, 'X', ID_EDIT_CUT},
                                                     {kCtrl, 'C', ID_EDIT_COPY},
                                                     {kCtrl, 'V', ID_EDIT_PASTE},
                                                     {FVIRTKEY | FALT, VK_BACK, ID_EDIT_UNDO},
                                                     {FVIRTKEY | FSHIFT, VK_DELETE, ID_EDIT_CUT},
                                                     {kCtrl, VK_INSERT, ID_EDIT_COPY},
                                                     {FVIRTKEY | FSHIFT, VK_INSERT, ID_EDIT_PASTE},
                                                     {FVIRTKEY, VK_F6, ID_NEXT_PANE},
                                                     {FVIRTKEY | FSHIFT, VK_F6, ID_PREV_PANE},
                                                     {FVIRTKEY, VK_DELETE, ID_EDIT_DELETE},
                                                     {FVIRTKEY, VK_F2, ID_EDIT_RENAME},
                                                     {kCtrl, 'F', ID_EDIT_FIND},
                                                     {FVIRTKEY, VK_F3, ID_EDIT_FIND_NEXT},
                                                     {FVIRTKEY, VK_F5, ID_VIEW_REFRESH},
                                                 });

    AfxResources::AddToolBar(IDR_MAINFRAME,
                             {16, 16, {ID_EDIT_MODIFY, ID_EDIT_DELETE, ID_EDIT_FIND, ID_EDIT_FIND_NEXT}});
}

}  // namespace brackwell::resources
