// brackwell-reg: imports .reg files into a Brackwell registry file, lists keys and
// checks that a file is a registry. Exit status 0 on success, 1 on any error.

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

#include "registry/default_registry_seed.h"
#include "registry/device_registry.h"
#include "registry/reg_file_reader.h"
#include "registry/reg_key_header.h"
#include "registry/reg_text_encoding.h"
#include "registry/registry.h"

namespace {

using namespace brackwell::registry;
using regfile::Utf16ToUtf8;

constexpr DWORD kNameChars = 1024;

int Usage() {
    std::cerr << "usage: brackwell-reg [--registry FILE] import FILE.reg\n"
                 "       brackwell-reg [--registry FILE] list [ROOT\\path]\n"
                 "       brackwell-reg [--registry FILE] check\n"
                 "The registry file defaults to "
              << DefaultRegistryPath() << ".\n";
    return 1;
}

int Fail(const std::string& message) {
    std::cerr << "brackwell-reg: " << message << "\n";
    return 1;
}

// The UTF-16LE data split at its NUL characters; a final empty piece is dropped.
std::vector<std::string> Strings(const std::vector<BYTE>& data) {
    std::vector<std::string> strings;
    std::u16string text;
    for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
        const auto unit = static_cast<char16_t>(data[i] | data[i + 1] << 8);
        if (unit != 0) {
            text.push_back(unit);
            continue;
        }
        if (text.empty()) break;
        strings.push_back(Utf16ToUtf8(text));
        text.clear();
    }
    if (!text.empty()) strings.push_back(Utf16ToUtf8(text));
    return strings;
}

std::string Describe(DWORD type, const std::vector<BYTE>& data) {
    char buffer[40];
    if (type == REG_SZ || type == REG_EXPAND_SZ) {
        const std::vector<std::string> strings = Strings(data);
        return (type == REG_SZ ? "REG_SZ \"" : "REG_EXPAND_SZ \"") +
               (strings.empty() ? "" : strings[0]) + "\"";
    }
    if (type == REG_MULTI_SZ) {
        std::string text = "REG_MULTI_SZ";
        for (const std::string& item : Strings(data)) text += " \"" + item + "\"";
        return text;
    }
    if (type == REG_DWORD && data.size() == 4) {
        const DWORD value =
            data[0] | data[1] << 8 | data[2] << 16 | static_cast<DWORD>(data[3]) << 24;
        std::snprintf(buffer, sizeof buffer, "REG_DWORD 0x%08x (%u)", value, value);
        return buffer;
    }
    std::string text = type == REG_BINARY ? "REG_BINARY" : "type " + std::to_string(type);
    for (const BYTE b : data) {
        std::snprintf(buffer, sizeof buffer, " %02x", b);
        text += buffer;
    }
    return text;
}

int List(const std::string& keyName) {
    if (keyName.empty()) {
        for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
            std::cout << regfile::RegRootName(root) << "\\\n";
        return 0;
    }
    const auto wide = regfile::Utf8ToUtf16(keyName);
    HKEY root = nullptr;
    std::u16string path;
    std::string reason;
    if (!wide) return Fail("the key name is not valid UTF-8");
    if (!regfile::ParseRegKeyName(*wide, root, path, reason)) return Fail(reason);
    HKEY key = nullptr;
    if (RegOpenKeyEx(root, path.c_str(), 0, 0, &key) != ERROR_SUCCESS)
        return Fail("no key " + keyName);

    std::u16string name(kNameChars, u'\0');
    for (DWORD index = 0;; ++index) {
        DWORD length = kNameChars;
        if (RegEnumKeyEx(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        std::cout << Utf16ToUtf8(std::u16string_view(name.data(), length)) << "\\\n";
    }
    DWORD maxData = 0;
    RegQueryInfoKey(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                    &maxData, nullptr, nullptr);
    std::vector<BYTE> data;
    for (DWORD index = 0;; ++index) {
        DWORD length = kNameChars;
        DWORD type = 0;
        data.resize(std::max<DWORD>(maxData, 1));
        DWORD size = maxData;
        if (RegEnumValue(key, index, name.data(), &length, nullptr, &type, data.data(), &size) !=
            ERROR_SUCCESS)
            break;
        data.resize(size);
        const std::string valueName =
            length == 0 ? "@" : "\"" + Utf16ToUtf8({name.data(), length}) + "\"";
        std::cout << valueName << " " << Describe(type, data) << "\n";
    }
    RegCloseKey(key);
    return 0;
}

int Import(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) return Fail("cannot read " + file);
    const RegImportResult result = ImportRegFile(in);
    return result.ok ? 0 : Fail(file + ": " + result.error);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    std::string registryFile;
    if (args.size() >= 2 && args[0] == "--registry") {
        registryFile = args[1];
        args.erase(args.begin(), args.begin() + 2);
    }
    if (args.empty()) return Usage();
    const std::string& command = args[0];
    const bool known = (command == "import" && args.size() == 2) ||
                       (command == "list" && args.size() <= 2) ||
                       (command == "check" && args.size() == 1);
    if (!known) return Usage();
    if (registryFile.empty()) registryFile = DefaultRegistryPath();

    // check and list read only: they never create, seed or change the file.
    OpenResult opened;
    if (command == "import") {
        const RegistrySeed seed = ReadDefaultRegistrySeed();
        if (!seed.ok) return Fail(seed.error);
        opened = OpenDeviceRegistry(registryFile, seed.text);
    } else {
        opened = OpenDeviceRegistryReadOnly(registryFile);
    }
    if (!opened.ok) return Fail(opened.error);

    int status = 0;
    if (command == "check") {
        const OpenResult checked = CheckDeviceRegistry();
        if (checked.ok) {
            std::cout << registryFile << ": OK\n";
        } else {
            status = Fail(checked.error);
        }
    } else if (command == "import") {
        status = Import(args[1]);
    } else {
        status = List(args.size() == 2 ? args[1] : std::string());
    }
    CloseDeviceRegistry();
    return status;
}
