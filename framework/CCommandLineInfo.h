#pragma once
// What the command line asks the application to do at start. Documents
// have no files, so the only request is a new document.

class CCommandLineInfo {
public:
    enum { FileNew } m_nShellCommand = FileNew;
};
