#include "bench/synthetic_registry.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string_view>

#include "registry/apply_operations.h"
#include "registry/device_registry.h"

namespace brackwell::bench {
namespace {

using registry::RegOperation;

constexpr const char* kKeyWords[] = {
    "Software",   "Drivers",     "Comm",     "Explorer",  "Settings",  "Network",
    "Shell",      "Services",    "Control",  "Display",   "Keyboard",  "Power",
    "Security",   "Fonts",       "Audio",    "Devices",   "Policies",  "Profiles",
    "Parameters", "Identities",  "Options",  "Cache",     "Version",   "Components",
    "Handlers",   "Connections", "Adapters", "Protocols", "Bluetooth", "Storage"};
constexpr const char* kValueWords[] = {
    "Path",        "Name",  "Version", "Flags",  "Data", "Enabled", "Timeout", "Class",
    "Description", "Index", "Order",   "Prefix", "Dll",  "Icon",    "Port",    "Priority"};

constexpr std::size_t kMaxDepth = 16;
constexpr double kClassesShare = 0.06;  // keys directly under the classes root

std::u16string Widen(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<BYTE> Utf16Bytes(const std::u16string& text) {
    std::vector<BYTE> bytes;
    for (char16_t c : text) {
        bytes.push_back(static_cast<BYTE>(c & 0xFF));
        bytes.push_back(static_cast<BYTE>(c >> 8));
    }
    return bytes;
}

class Generator {
public:
    explicit Generator(const SyntheticShape& shape) : shape_(shape), random_(shape.seed) {}

    std::vector<RegOperation> Run(SyntheticStats* stats);

private:
    struct Key {
        HKEY root;
        std::u16string path;
        std::size_t children = 0;
        std::size_t depth = 1;
    };

    std::size_t Uniform(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    std::string Text(std::size_t length, bool forName = false);
    std::string Guid();
    void AddKey(HKEY root, std::u16string path, std::size_t depth);
    void AddValues(const Key& key);
    RegOperation Value(const Key& key, std::u16string name);

    SyntheticShape shape_;
    std::mt19937_64 random_;
    std::vector<Key> keys_;
    std::vector<RegOperation> operations_;
    std::size_t dataBytes_ = 0;
};

// Data text may hold any character; a key name must not hold a backslash,
// which would split it into two keys.
std::string Generator::Text(std::size_t length, bool forName) {
    static const std::string_view kLetters =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789\\ .";
    const std::string_view letters = forName ? kLetters.substr(0, 62) : kLetters;
    std::string text;
    for (std::size_t i = 0; i < length; ++i) text.push_back(letters[Uniform(letters.size())]);
    return text;
}

std::string Generator::Guid() {
    static const char kHex[] = "0123456789ABCDEF";
    std::string guid = "{";
    for (int group : {8, 4, 4, 4, 12}) {
        for (int i = 0; i < group; ++i) guid.push_back(kHex[Uniform(16)]);
        guid.push_back('-');
    }
    guid.back() = '}';
    return guid;
}

void Generator::AddKey(HKEY root, std::u16string path, std::size_t depth) {
    RegOperation op;
    op.kind = RegOperation::Kind::CreateKey;
    op.root = root;
    op.path = path;
    op.line = static_cast<int>(operations_.size() + 1);
    operations_.push_back(std::move(op));
    keys_.push_back({root, std::move(path), 0, depth});
}

RegOperation Generator::Value(const Key& key, std::u16string name) {
    RegOperation op;
    op.kind = RegOperation::Kind::SetValue;
    op.root = key.root;
    op.path = key.path;
    op.name = std::move(name);
    op.line = static_cast<int>(operations_.size() + 1);
    const std::size_t pick = Uniform(1000);
    if (pick < 1) {  // a few large values
        op.type = REG_BINARY;
        op.data.resize(16384 + Uniform(49152));
        for (BYTE& b : op.data) b = static_cast<BYTE>(Uniform(256));
    } else if (pick < 550) {
        op.type = REG_SZ;
        op.data = Utf16Bytes(Widen(Text(4 + Uniform(56))) + u'\0');
    } else if (pick < 870) {
        op.type = REG_DWORD;
        const auto number = static_cast<DWORD>(Uniform(1u << 20));
        op.data = {BYTE(number), BYTE(number >> 8), BYTE(number >> 16), BYTE(number >> 24)};
    } else if (pick < 950) {
        op.type = REG_BINARY;
        op.data.resize(8 + Uniform(56));
        for (BYTE& b : op.data) b = static_cast<BYTE>(Uniform(256));
    } else {
        op.type = REG_MULTI_SZ;
        std::u16string strings;
        for (std::size_t i = 0, n = 2 + Uniform(4); i < n; ++i)
            strings += Widen(Text(3 + Uniform(20))) + u'\0';
        op.data = Utf16Bytes(strings + u'\0');
    }
    dataBytes_ += op.data.size();
    return op;
}

void Generator::AddValues(const Key& key) {
    std::poisson_distribution<std::size_t> count(shape_.valuesPerKey);
    const std::size_t n = count(random_);
    const bool withDefault = Uniform(10) == 0;
    for (std::size_t i = 0; i < n; ++i) {
        std::u16string name;
        if (i > 0 || !withDefault) {
            constexpr std::size_t kWords = std::size(kValueWords);
            name =
                Widen(std::string(kValueWords[(i + Uniform(kWords)) % kWords]) + std::to_string(i));
        }
        operations_.push_back(Value(key, std::move(name)));
    }
}

std::vector<RegOperation> Generator::Run(SyntheticStats* stats) {
    const std::size_t classes = static_cast<std::size_t>(shape_.keys * kClassesShare);
    const std::size_t tree = shape_.keys - classes;

    // Keys per depth follow a fan-out that falls from 10 by 0.7 a level.
    std::vector<double> weight(kMaxDepth + 1, 0.0);
    double level = 1.0;
    double total = 0.0;
    for (std::size_t d = 1; d <= kMaxDepth; ++d) {
        level *= std::max(10.0 * std::pow(0.7, double(d - 1)), 0.3);
        weight[d] = level;
        total += level;
    }
    static const HKEY kRoots[] = {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER, HKEY_USERS,
                                  HKEY_CLASSES_ROOT};
    std::vector<std::size_t> previousLevel;
    std::size_t made = 0;
    for (std::size_t d = 1; d <= kMaxDepth && made < tree; ++d) {
        std::size_t count = std::max<std::size_t>(1, std::llround(tree * weight[d] / total));
        if (d == kMaxDepth || made + count > tree) count = tree - made;
        std::vector<std::size_t> thisLevel;
        for (std::size_t i = 0; i < count; ++i) {
            std::u16string name;
            HKEY root;
            std::u16string path;
            const std::size_t word = Uniform(std::size(kKeyWords));
            if (d == 1) {
                root = kRoots[std::min<std::size_t>(Uniform(20) / 6, 3)];
                path = Widen(kKeyWords[word] + std::to_string(i));
            } else {
                // Parents drawn with a skew: some keys get many children, many get none.
                const double u = std::uniform_real_distribution<double>(0.0, 1.0)(random_);
                Key& parent =
                    keys_[previousLevel[static_cast<std::size_t>(u * u * previousLevel.size())]];
                root = parent.root;
                const std::size_t index = parent.children++;
                path = parent.path + u"\\" +
                       Widen(kKeyWords[word] + (index ? std::to_string(index) : ""));
            }
            thisLevel.push_back(keys_.size());
            AddKey(root, std::move(path), d);
        }
        made += count;
        previousLevel = std::move(thisLevel);
    }
    for (std::size_t i = 0; i < classes; ++i) {
        AddKey(HKEY_CLASSES_ROOT, Widen(i % 2 ? Guid() : "." + Text(3, true) + std::to_string(i)),
               1);
    }
    for (std::size_t i = 0, n = keys_.size(); i < n; ++i) AddValues(keys_[i]);

    if (stats) {
        *stats = {};
        stats->keys = keys_.size();
        stats->values = operations_.size() - keys_.size();
        std::size_t depthSum = 0;
        for (const Key& key : keys_) {
            depthSum += key.depth;
            stats->largestFanOut = std::max(stats->largestFanOut, key.children);
        }
        stats->largestFanOut = std::max(stats->largestFanOut, classes);
        stats->averageDepth = keys_.empty() ? 0 : double(depthSum) / double(keys_.size());
        stats->dataBytes = dataBytes_;
    }
    return std::move(operations_);
}

}  // namespace

std::vector<SyntheticShape> ShapesFromArguments(int argc, char** argv,
                                                std::vector<SyntheticShape> defaults) {
    std::vector<SyntheticShape> shapes;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const std::size_t colon = arg.find(':');
        shapes.push_back({static_cast<std::size_t>(std::atol(arg.c_str())),
                          colon == std::string::npos ? 3.0 : std::atof(arg.c_str() + colon + 1)});
    }
    return shapes.empty() ? defaults : shapes;
}

std::vector<RegOperation> GenerateSyntheticRegistry(const SyntheticShape& shape,
                                                    SyntheticStats* stats) {
    return Generator(shape).Run(stats);
}

bool FillSyntheticRegistry(const SyntheticShape& shape, SyntheticStats* stats, std::string* error) {
    return registry::ApplyOperations(GenerateSyntheticRegistry(shape, stats), error);
}

namespace {

bool BuildFileHere(const SyntheticShape& shape, const std::string& path, SyntheticStats* stats,
                   std::string* error) {
    std::filesystem::remove(path);
    if (const registry::OpenResult opened = registry::OpenDeviceRegistry(path); !opened.ok) {
        *error = opened.error;
        return false;
    }
    const bool filled = FillSyntheticRegistry(shape, stats, error);
    registry::CloseDeviceRegistry();
    std::filesystem::remove(path + "-journal");
    std::filesystem::remove(path + "-lock");
    return filled;
}

// Built in a child process, so that the generated operations (hundreds of
// MiB for the largest registry) never weigh on the caller's memory figures.
bool BuildFile(const SyntheticShape& shape, const std::string& path, SyntheticStats* stats,
               std::string* error) {
    int channel[2];
    if (pipe(channel) != 0) return BuildFileHere(shape, path, stats, error);
    const pid_t child = fork();
    if (child == 0) {
        close(channel[0]);
        SyntheticStats built;
        std::string reason;
        const bool ok = BuildFileHere(shape, path, &built, &reason);
        if (!ok) std::fprintf(stderr, "%s\n", reason.c_str());
        const bool sent = write(channel[1], &built, sizeof built) == ssize_t(sizeof built);
        _exit(ok && sent ? 0 : 1);
    }
    close(channel[1]);
    SyntheticStats built;
    const bool received =
        child > 0 && read(channel[0], &built, sizeof built) == ssize_t(sizeof built);
    close(channel[0]);
    int status = 1;
    if (child > 0) waitpid(child, &status, 0);
    if (!received || status != 0) {
        *error = "the registry could not be built";
        return false;
    }
    if (stats) *stats = built;
    return true;
}

}  // namespace

bool MakeSyntheticRegistryFile(const SyntheticShape& shape, const std::string& path,
                               SyntheticStats* stats, std::string* error) {
    const char* cache = std::getenv("BRACKWELL_BENCH_CACHE");
    if (!cache || !*cache) return BuildFile(shape, path, stats, error);
    char name[96];
    std::snprintf(name, sizeof name, "/synthetic-%zu-%.2f-%u.sqlite3", shape.keys,
                  shape.valuesPerKey, shape.seed);
    const std::string cached = cache + std::string(name);
    SyntheticStats built;
    if (!std::filesystem::exists(cached)) {
        std::filesystem::create_directories(cache);
        const std::string building = cached + ".building";
        if (!BuildFile(shape, building, &built, error)) return false;
        std::ofstream(cached + ".stats", std::ios::binary)
            .write(reinterpret_cast<const char*>(&built), sizeof built);
        std::filesystem::rename(building, cached);
    } else {
        std::ifstream(cached + ".stats", std::ios::binary)
            .read(reinterpret_cast<char*>(&built), sizeof built);
    }
    if (stats) *stats = built;
    std::filesystem::remove(path);
    std::filesystem::remove(path + "-journal");
    std::filesystem::copy_file(cached, path);
    return true;
}

}  // namespace brackwell::bench
