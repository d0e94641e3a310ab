#pragma once
// The registry file on disk: where it lives, creating it whole, and telling
// whether an existing file is one of ours without writing to it.

#include <functional>
#include <string>

namespace brackwell::registry {

enum class FileState { Absent, Empty, Present, Unusable };

struct FileCheck {
    FileState state = FileState::Unusable;
    std::string error;  // why it is Unusable
};

// What lies at path: nothing, an empty file (left by an older version that
// stopped while creating it, or made by hand), a file with content, or
// something a registry cannot be.
FileCheck InspectRegistryFile(const std::string& path);

// mkdir -p for the folder holding path; folders made here are private (0700)
// and their names are synced to disk.
bool MakeParentFolders(const std::string& path, std::string* error);

// Creates the registry at path, absent or empty, so that it appears under its
// name only complete: build fills a new private file beside it (returning an
// empty string or why it failed), which is synced and moved into place, and
// the folder is synced. A file with content that appeared at path meanwhile
// is kept and the new one dropped. The caller holds the registry lock
// exclusively; leftovers of a creation that was killed midway are removed.
std::string CreateRegistryFile(const std::string& path,
                               const std::function<std::string(const std::string& newFile)>& build);

struct RegistryHeader {
    std::string unreadable;      // why it cannot be read at all
    std::string problem;         // why it is not a registry of ours; empty when it is one
    bool writeAheadLog = false;  // the header asks for write-ahead logging
};

// Reads the SQLite header of a non-empty file with plain reads.
RegistryHeader ReadRegistryHeader(const std::string& path);

// Whether the file beside the registry with this suffix holds anything: an
// unmerged write-ahead log ("-wal"), or the journal of a write that was cut
// short ("-journal"; ours is emptied at every commit).
bool SideFileHoldsData(const std::string& path, const char* suffix);

}  // namespace brackwell::registry
