#pragma once
// The handheld shell's calls: full-screen dialog sizing and the soft input
// panel.

#include "framework/types.h"

inline constexpr DWORD SHIDIM_FLAGS = 0x0001;
inline constexpr DWORD SHIDIF_DONEBUTTON = 0x0001;
inline constexpr DWORD SHIDIF_SIZEDLG = 0x0002;
inline constexpr DWORD SHIDIF_SIZEDLGFULLSCREEN = 0x0004;
inline constexpr DWORD SHIDIF_SIPDOWN = 0x0008;
inline constexpr DWORD SHIDIF_FULLSCREENNOMENUBAR = 0x0010;

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};
using PSHINITDLGINFO = SHINITDLGINFO*;

// With SHIDIF_SIZEDLGFULLSCREEN (or SHIDIF_FULLSCREENNOMENUBAR) the dialog
// covers the main window's area (the screen's when there is none).
BOOL SHInitDialog(PSHINITDLGINFO pshidi);

enum SIPSTATE { SIP_UP = 0, SIP_DOWN, SIP_FORCEDOWN, SIP_UNCHANGED, SIP_INPUTDIALOG };

// Shows (SIP_UP) or hides (SIP_DOWN, SIP_FORCEDOWN) the input panel.
BOOL SHSipPreference(HWND hwnd, SIPSTATE st);
// Whether the input panel was last switched on.
BOOL AfxIsSipUp();
