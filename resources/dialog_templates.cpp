// Dialog templates 100 and 134 to 139; positions in dialog units.

#include "framework/AfxResources.h"
#include "resources/resource.h"
#include "resources/resource_tables.h"

namespace brackwell::resources {

namespace {

constexpr DWORD kDialogStyle = DS_MODALFRAME | DS_SETFONT | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kEdit = ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
constexpr DWORD kLabel = SS_LEFT | WS_GROUP;

AfxDialogItem Edit(int id, int x, int y, int cx, int cy, DWORD style = kEdit) {
    return {WC_EDIT, u"", id, style, x, y, cx, cy};
}
AfxDialogItem Button(LPCWSTR text, int id, int x, int y, int cx, int cy, DWORD style = BS_PUSHBUTTON) {
    return {WC_BUTTON, text, id, style | WS_TABSTOP, x, y, cx, cy};
}
AfxDialogItem Label(LPCWSTR text, int id, int x, int y, int cx, int cy, DWORD style = kLabel) {
    return {WC_STATIC, text, id, style, x, y, cx, cy};
}
AfxDialogItem CheckBox(LPCWSTR text, int id, int x, int y, int cx, int cy) {
    return {WC_BUTTON, text, id, BS_AUTOCHECKBOX | WS_TABSTOP, x, y, cx, cy};
}

AfxDialogTemplate Dialog(LPCWSTR caption, int cx, int cy, std::vector<AfxDialogItem> items,
                         DWORD style = kDialogStyle, DWORD exStyle = 0) {
    return {style, exStyle, 0, 0, cx, cy, caption, 8, u"System", std::move(items)};
}

// The string, number and multi-string dialogs share one layout: heading,
// name and value fields, OK and Cancel below the value.
std::vector<AfxDialogItem> ValueItems(int valueWidth, int valueHeight, int buttonsY,
                                      DWORD valueStyle = kEdit) {
    return {
        Edit(IDC_NAME, 35, 27, 101, 14),
        Edit(IDC_VALUE, 35, 43, valueWidth, valueHeight, valueStyle),
        Button(u"OK", IDOK, 7, buttonsY, 50, 14, BS_DEFPUSHBUTTON),
        Button(u"Cancel", IDCANCEL, 86, buttonsY, 50, 14),
        Label(u"Name:", IDC_STATIC, 7, 28, 22, 8),
        Label(u"Value:", IDC_STATIC, 8, 44, 21, 8),
        Label(u"Static", IDC_HEADING, 7, 7, 129, 8),
    };
}

}  // namespace

void RegisterDialogs() {
    AfxResources::AddDialog(
        IDD_ABOUTBOX,
        Dialog(u"About Brackwell", 145, 57,
               {
                   {WC_STATIC, u"", IDC_STATIC, SS_ICON, 11, 17, 20, 20, 0, IDR_MAINFRAME},
                   Label(u"Brackwell Version 1.3", IDC_STATIC, 40, 14, 77, 8, kLabel | SS_NOPREFIX),
               },
               kDialogStyle, WS_EX_CAPTIONOKBTN));

    AfxResources::AddDialog(IDD_NEW_KEY,
                            Dialog(u"New Key", 143, 76,
                                   {
                                       Edit(IDC_KEY_NAME, 7, 26, 129, 14),
                                       Button(u"OK", IDOK, 7, 55, 50, 14, BS_DEFPUSHBUTTON),
                                       Button(u"Cancel", IDCANCEL, 86, 55, 50, 14),
                                       Label(u"Enter new key name:", IDC_STATIC, 7, 7, 129, 8),
                                   },
                                   kDialogStyle | DS_SETFOREGROUND, WS_EX_TOOLWINDOW));

    AfxResources::AddDialog(IDD_STRING, Dialog(u"Dialog", 143, 87, ValueItems(101, 14, 66)));
    AfxResources::AddDialog(IDD_NUMBER, Dialog(u"Dialog", 143, 87, ValueItems(61, 14, 66)));
    constexpr DWORD kLines = ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | kEdit;
    AfxResources::AddDialog(IDD_MULTI_STRING,
                            Dialog(u"Dialog", 143, 135, ValueItems(101, 66, 114, kLines)));

    constexpr DWORD kByteList = LVS_ICON | LVS_ALIGNTOP | LVS_AUTOARRANGE | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                                LVS_EDITLABELS | LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER | WS_BORDER | WS_TABSTOP;
    AfxResources::AddDialog(IDD_BINARY,
                            Dialog(u"Dialog", 143, 154,
                                   {
                                       Edit(IDC_NAME, 30, 21, 106, 14),
                                       {WC_LISTVIEW, u"List1", IDC_VALUE, kByteList, 30, 38, 106, 63},
                                       Button(u"Insert", IDC_INSERT, 7, 117, 40, 14),
                                       Button(u"Delete", IDC_DELETE, 54, 117, 40, 14),
                                       Button(u"Append", IDC_APPEND, 100, 117, 36, 14),
                                       Button(u"OK", IDOK, 7, 134, 50, 14, BS_DEFPUSHBUTTON),
                                       Button(u"Cancel", IDCANCEL, 86, 134, 50, 14),
                                       Label(u"Name:", IDC_STATIC, 7, 22, 22, 8),
                                       Label(u"Value:", IDC_STATIC, 8, 38, 21, 8),
                                       Label(u"Static", IDC_HEADING, 7, 7, 129, 8),
                                       Label(u"Size: 23 bytes", IDC_SIZE, 7, 104, 63, 8),
                                       Label(u"Offset: 34", IDC_OFFSET, 84, 104, 52, 8, SS_RIGHT | WS_GROUP),
                                   }));

    AfxResources::AddDialog(IDD_FIND,
                            Dialog(u"Find", 143, 95,
                                   {
                                       Edit(IDC_FIND_TEXT, 28, 7, 105, 14),
                                       CheckBox(u"Keys", IDC_FIND_KEYS, 13, 35, 31, 10),
                                       CheckBox(u"Values", IDC_FIND_VALUES, 59, 35, 37, 10),
                                       CheckBox(u"Data", IDC_FIND_DATA, 104, 35, 31, 10),
                                       CheckBox(u"Match Whole String Only", IDC_MATCH_WHOLE, 13, 55, 95, 10),
                                       Button(u"OK", IDOK, 7, 74, 50, 14, BS_DEFPUSHBUTTON),
                                       Button(u"Cancel", IDCANCEL, 86, 74, 50, 14),
                                       Label(u"Find:", IDC_STATIC, 8, 8, 17, 8),
                                       Label(u"Search:", IDC_STATIC, 7, 26, 26, 8),
                                   }));
}

}  // namespace brackwell::resources
