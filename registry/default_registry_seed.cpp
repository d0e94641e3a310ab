#include "registry/default_registry_seed.h"

#include <dlfcn.h>
#include <link.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace brackwell::registry {
namespace {

namespace fs = std::filesystem;

// The file this code was loaded from: the shared library when it is linked
// as one, else the program itself (whose loader entry has no name).
fs::path LoadedObject() {
    Dl_info info{};
    link_map* map = nullptr;
    if (dladdr1(reinterpret_cast<void*>(&ReadDefaultRegistrySeed), &info,
                reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) != 0 &&
        map && map->l_name && map->l_name[0] != '\0') {
        return fs::path(map->l_name);
    }
    std::error_code error;
    return fs::read_symlink("/proc/self/exe", error);
}

// The build defines where the seed lies relative to the installed bin/ and
// lib/ folders, and in the source tree.
std::vector<fs::path> Candidates() {
    std::vector<fs::path> files;
    if (const fs::path object = LoadedObject(); !object.empty()) {
        for (const char* relative : {BRACKWELL_SEED_FROM_BINDIR, BRACKWELL_SEED_FROM_LIBDIR}) {
            const fs::path file = (object.parent_path() / relative).lexically_normal();
            if (files.empty() || files.back() != file) files.push_back(file);
        }
    }
    files.push_back(BRACKWELL_SEED_IN_SOURCE);
    return files;
}

}  // namespace

RegistrySeed ReadDefaultRegistrySeed() {
    std::string tried;
    for (const fs::path& file : Candidates()) {
        std::ifstream in(file, std::ios::binary);
        if (!in) {
            tried += (tried.empty() ? "" : ", ") + file.string();
            continue;
        }
        std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        if (in.bad())
            return {false, {}, "The default registry " + file.string() + " cannot be read."};
        return {true, std::move(text), {}};
    }
    return {false, {}, "The default registry file is missing (looked for " + tried + ")."};
}

}  // namespace brackwell::registry
