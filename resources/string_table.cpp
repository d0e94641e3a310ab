// The string table (US English). For a command id the text before "\n" is
// the prompt and the text after it the short name.

#include "framework/AfxResources.h"
#include "resources/resource.h"
#include "resources/resource_tables.h"

namespace brackwell::resources {

void RegisterStrings() {
    const struct {
        UINT id;
        LPCWSTR text;
    } table[] = {
        {IDR_MAINFRAME, u"Brackwell\n\nBrackwell\n\n\nBrackwell.Document\nBrackwell Document"},
        {IDS_TIP_MODIFY, u"Modify"},
        {ID_EDIT_NEW_NUMBER, u"Add a new number"},
        {ID_EDIT_NEW_STRING, u"Add a new string"},
        {ID_EDIT_NEW_MULTISTRING, u"Add a new list of strings"},
        {ID_EDIT_NEW_BINARY, u"Add binary data"},
        {ID_EDIT_NEW_KEY, u"Add a new registry key"},
        {ID_EDIT_MODIFY, u"Modify the selected registry value\nModify"},
        {ID_EDIT_DELETE, u"Delete the selected registry value\nDelete"},
        {ID_VIEW_REFRESH, u"Re-read and display the registry"},
        {ID_EDIT_FIND_NEXT, u"Find the next occurrence\nFind Next"},
        {ID_EDIT_RENAME, u"Rename the selected registry value\nRename"},
        {AFX_IDS_IDLEMESSAGE, u"Ready"},
        {ID_EDIT_FIND, u"Find data in the registry\nFind"},
        {ID_WINDOW_SPLIT, u"Split the active window into panes\nSplit"},
        {ID_APP_ABOUT, u"Display program information, version number and copyright\nAbout"},
        {ID_APP_EXIT, u"Quit the application; prompts to save documents\nExit"},
        {ID_INDICATOR_CAPS, u"CAP"},
        {AFX_IDS_SCCLOSE, u"Close the active window and prompts to save the documents"},
        {AFX_IDS_SCTASKLIST, u"Activate Task List"},
    };
    for (const auto& entry : table) AfxResources::AddString(entry.id, entry.text);
}

}  // namespace brackwell::resources
