#pragma once
// What the command line asks the application to do at start.

#include "framework/CString.h"

class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing = -1 } m_nShellCommand = FileNew;
    CString m_strFileName;

    virtual ~CCommandLineInfo() = default;
    // One argument: bFlag when it began with '-' or '/', which is stripped.
    virtual void ParseParam(LPCWSTR pszParam, BOOL bFlag, BOOL bLast);
};
