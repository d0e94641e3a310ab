#pragma once
// A fresh registry file in a private temporary folder for every test, and
// short helpers over the ten calls.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "registry/registry.h"

namespace brackwell::registry::testing {

// A folder made by mkdtemp and removed with its contents at the end.
class TemporaryFolder {
public:
    TemporaryFolder();
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

std::string ReadFileBytes(const std::string& path);
std::vector<std::string> FolderListing(const std::string& folder);  // names, sorted
std::string Narrow(const std::u16string& text);                     // ASCII only, for messages
// Text for comparisons: printable ASCII as it is, every other unit (and "<") as <XXXX>.
std::string Escaped(std::u16string_view text);

// A .reg text of keys HKLM\Seed\Key0.. each with a 200-character string, then
// HKLM\Seed\Last: a seed large enough that a registry made from it takes a
// while to build and spans many pages.
std::string LargeSeed(int keys);

// Runs setup and sql on the file with SQLite and leaves the file and its side
// file ("-journal" or "-wal") as a crash just then would: copies taken while
// the transaction or the log was still open.
void LeaveAsIfCrashed(const std::string& path, const char* setup, const char* sql,
                      const char* sideFile);

// Every key below root\path (itself included) in enumeration order with its
// values' names, types and bytes, one line each: two dumps are equal exactly
// when the trees hold the same names (with their case), order and data.
std::string DumpTree(HKEY root, const std::u16string& path = u"");
// The four roots one after the other.
std::string DumpRegistry();

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::string RegistryPath() const { return folder_.path() + "/registry.sqlite3"; }

    // Creates (or opens) root\path; the handle is closed at TearDown.
    HKEY Create(const std::u16string& path, HKEY root = HKEY_CURRENT_USER);
    bool Exists(const std::u16string& path, HKEY root = HKEY_CURRENT_USER);
    void SetString(HKEY key, const std::u16string& name, const std::u16string& text);
    std::u16string GetString(HKEY key, const std::u16string& name);
    std::vector<std::u16string> SubkeyNames(HKEY key);
    std::vector<std::u16string> ValueNames(HKEY key);

    TemporaryFolder folder_;
    std::vector<HKEY> opened_;
};

}  // namespace brackwell::registry::testing
