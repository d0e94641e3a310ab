#pragma once
// The handheld shell's calls: full-screen dialog sizing and the soft input
// panel.

#include "framework/types.h"

inline constexpr DWORD SHIDIM_FLAGS = 0x0001;
inline constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};
using PSHINITDLGINFO = SHINITDLGINFO*;

// With SHIDIF_SIZEDLGFULLSCREEN the dialog covers the main window's area
// (the screen's when there is none).
BOOL SHInitDialog(PSHINITDLGINFO pshidi);

enum SIPSTATE { SIP_UP = 0, SIP_DOWN };

// Shows (SIP_UP) or hides (SIP_DOWN) the input panel.
BOOL SHSipPreference(HWND hwnd, SIPSTATE st);
// Whether the input panel was last switched on.
BOOL AfxIsSipUp();
