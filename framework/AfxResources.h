#pragma once
// The resource table: string, menu, accelerator, tool-bar, bitmap, icon,
// dialog-template and version resources by id. The program registers its
// resources once at start (registering an id again replaces it).

#include <string_view>
#include <utility>
#include <vector>

#include "framework/types.h"

struct AfxMenuItem {
    LPCWSTR text = nullptr;  // null: a separator
    UINT id = 0;
    std::vector<AfxMenuItem> popup;  // non-empty: a submenu
};

struct ACCEL {
    BYTE fVirt;  // FVIRTKEY with FSHIFT, FCONTROL, FALT
    WORD key;    // virtual-key code
    WORD cmd;
};

struct AfxToolBarResource {
    int cx = 16;
    int cy = 16;
    std::vector<UINT> ids;  // 0: a separator
};

// One control of a dialog template; positions in dialog units. As in
// resource scripts, WS_CHILD | WS_VISIBLE are implied, and WS_TABSTOP too for
// edits and push buttons.
struct AfxDialogItem {
    LPCWSTR className;  // WC_EDIT, WC_BUTTON, WC_STATIC, WC_LISTVIEW
    LPCWSTR text;
    int id;  // IDC_STATIC (-1) for none
    DWORD style;
    int x, y, cx, cy;
    DWORD exStyle = 0;
    UINT imageId = 0;  // SS_ICON: the icon resource
};

struct AfxDialogTemplate {
    DWORD style;
    DWORD exStyle;
    int x, y, cx, cy;
    LPCWSTR caption;
    WORD pointSize;
    LPCWSTR typeFace;
    std::vector<AfxDialogItem> items;  // in tab order
};

struct AfxVersionInfo {
    WORD fileVersion[4];
    WORD productVersion[4];
    DWORD fileFlagsMask;
    DWORD fileFlags;
    DWORD fileOS;
    DWORD fileType;
    LPCWSTR blockName;  // e.g. "040904b0"
    std::vector<std::pair<LPCWSTR, LPCWSTR>> strings;

    // The string value of key in the block, null when absent.
    LPCWSTR QueryValue(LPCWSTR key) const;
};

inline constexpr DWORD VOS__WINDOWS32 = 0x00000004;
inline constexpr DWORD VFT_APP = 0x00000001;

class AfxResources {
public:
    static void AddString(UINT id, LPCWSTR text);
    static void AddMenu(UINT id, std::vector<AfxMenuItem> items);
    static void AddAccelerators(UINT id, std::vector<ACCEL> table);
    static void AddToolBar(UINT id, AfxToolBarResource toolBar);
    // The bytes of an XPM image; they must stay valid (static data).
    static void AddBitmap(UINT id, std::string_view xpm);
    // One XPM per size.
    static void AddIcon(UINT id, std::vector<std::string_view> xpms);
    static void AddDialog(UINT id, AfxDialogTemplate dialogTemplate);
    static void SetVersionInfo(AfxVersionInfo info);

    // Null when absent.
    static LPCWSTR FindString(UINT id);
    static const std::vector<AfxMenuItem>* FindMenu(UINT id);
    static const std::vector<ACCEL>* FindAccelerators(UINT id);
    static const AfxToolBarResource* FindToolBar(UINT id);
    static const AfxDialogTemplate* FindDialog(UINT id);
    static const AfxVersionInfo* GetVersionInfo();
    // Empty when absent.
    static std::string_view FindBitmap(UINT id);
    static std::vector<std::string_view> FindIcon(UINT id);
};
