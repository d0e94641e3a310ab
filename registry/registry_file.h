#pragma once
// The registry file on disk: where it lives, creating it safely, and telling
// whether an existing file is one of ours without writing to it.

#include <string>

namespace brackwell::registry {

struct PreparedFile {
    bool ok = false;
    bool empty = false;  // new (or never initialised): the schema must be created
    std::string error;
};

// Creates missing folders (0700) and an absent file (0600, empty). The file is
// closed again before SQLite opens it: closing a second descriptor on an open
// database would drop SQLite's locks.
PreparedFile PrepareRegistryFile(const std::string& path);

// Reads the SQLite header of a non-empty file with plain reads and returns why
// it is not a registry of ours, or an empty string when it is one.
std::string CheckRegistryHeader(const std::string& path);

}  // namespace brackwell::registry
