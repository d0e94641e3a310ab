#include "registry/read_only_vfs.h"

#include <sqlite3.h>

#include <cstdint>

namespace brackwell::registry {
namespace {

constexpr char kName[] = "brackwell-read-only";
constexpr sqlite3_int64 kJournalVersionBytes = 18;  // write and read version, 2 = WAL

// Our file: the common header, then the file of the layer below.
struct ReadOnlyFile {
    sqlite3_file base;
    bool database;  // the main database, whose header is adjusted
    sqlite3_file* Real() { return reinterpret_cast<sqlite3_file*>(this + 1); }
};

ReadOnlyFile* Of(sqlite3_file* file) {
    return reinterpret_cast<ReadOnlyFile*>(file);
}
sqlite3_vfs* Below(sqlite3_vfs* vfs) {
    return static_cast<sqlite3_vfs*>(vfs->pAppData);
}

int Close(sqlite3_file* file) {
    return Of(file)->Real()->pMethods->xClose(Of(file)->Real());
}

int Read(sqlite3_file* file, void* buffer, int amount, sqlite3_int64 offset) {
    sqlite3_file* real = Of(file)->Real();
    const int rc = real->pMethods->xRead(real, buffer, amount, offset);
    if (rc != SQLITE_OK || !Of(file)->database) return rc;
    auto* bytes = static_cast<unsigned char*>(buffer);
    for (sqlite3_int64 at = kJournalVersionBytes; at < kJournalVersionBytes + 2; ++at) {
        if (at >= offset && at < offset + amount && bytes[at - offset] == 2) bytes[at - offset] = 1;
    }
    return rc;
}

int Write(sqlite3_file*, const void*, int, sqlite3_int64) {
    return SQLITE_READONLY;
}
int Truncate(sqlite3_file*, sqlite3_int64) {
    return SQLITE_READONLY;
}
int Sync(sqlite3_file*, int) {
    return SQLITE_OK;
}

int FileSize(sqlite3_file* file, sqlite3_int64* size) {
    return Of(file)->Real()->pMethods->xFileSize(Of(file)->Real(), size);
}
int Lock(sqlite3_file* file, int level) {
    return Of(file)->Real()->pMethods->xLock(Of(file)->Real(), level);
}
int Unlock(sqlite3_file* file, int level) {
    return Of(file)->Real()->pMethods->xUnlock(Of(file)->Real(), level);
}
int CheckReservedLock(sqlite3_file* file, int* reserved) {
    return Of(file)->Real()->pMethods->xCheckReservedLock(Of(file)->Real(), reserved);
}
int FileControl(sqlite3_file* file, int op, void* argument) {
    return Of(file)->Real()->pMethods->xFileControl(Of(file)->Real(), op, argument);
}
int SectorSize(sqlite3_file* file) {
    return Of(file)->Real()->pMethods->xSectorSize(Of(file)->Real());
}
int DeviceCharacteristics(sqlite3_file* file) {
    return Of(file)->Real()->pMethods->xDeviceCharacteristics(Of(file)->Real());
}

// Version 1: no shared memory, so SQLite never tries write-ahead logging here.
const sqlite3_io_methods kMethods = {1,
                                     Close,
                                     Read,
                                     Write,
                                     Truncate,
                                     Sync,
                                     FileSize,
                                     Lock,
                                     Unlock,
                                     CheckReservedLock,
                                     FileControl,
                                     SectorSize,
                                     DeviceCharacteristics,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr,
                                     nullptr};

int Open(sqlite3_vfs* vfs, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    ReadOnlyFile* ours = Of(file);
    ours->base.pMethods = nullptr;
    ours->database = (flags & SQLITE_OPEN_MAIN_DB) != 0;
    flags = (flags & ~(SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_DELETEONCLOSE)) |
            SQLITE_OPEN_READONLY;
    const int rc = Below(vfs)->xOpen(Below(vfs), name, ours->Real(), flags, outFlags);
    if (rc != SQLITE_OK) return rc;
    if (outFlags) *outFlags = flags;
    ours->base.pMethods = &kMethods;
    return SQLITE_OK;
}

int Delete(sqlite3_vfs*, const char*, int) {
    return SQLITE_IOERR_DELETE;
}
int Access(sqlite3_vfs* vfs, const char* name, int flags, int* result) {
    return Below(vfs)->xAccess(Below(vfs), name, flags, result);
}
int FullPathname(sqlite3_vfs* vfs, const char* name, int size, char* out) {
    return Below(vfs)->xFullPathname(Below(vfs), name, size, out);
}
int Randomness(sqlite3_vfs* vfs, int size, char* out) {
    return Below(vfs)->xRandomness(Below(vfs), size, out);
}
int Sleep(sqlite3_vfs* vfs, int microseconds) {
    return Below(vfs)->xSleep(Below(vfs), microseconds);
}
int CurrentTime(sqlite3_vfs* vfs, double* now) {
    return Below(vfs)->xCurrentTime(Below(vfs), now);
}
int GetLastError(sqlite3_vfs* vfs, int size, char* out) {
    return Below(vfs)->xGetLastError(Below(vfs), size, out);
}
int CurrentTimeInt64(sqlite3_vfs* vfs, sqlite3_int64* now) {
    return Below(vfs)->xCurrentTimeInt64(Below(vfs), now);
}

sqlite3_vfs* Register() {
    sqlite3_vfs* below = sqlite3_vfs_find(nullptr);
    if (!below || below->iVersion < 2) return nullptr;
    static sqlite3_vfs vfs = {2,
                              static_cast<int>(sizeof(ReadOnlyFile)) + below->szOsFile,
                              below->mxPathname,
                              nullptr,
                              kName,
                              below,
                              Open,
                              Delete,
                              Access,
                              FullPathname,
                              nullptr,
                              nullptr,
                              nullptr,
                              nullptr,
                              Randomness,
                              Sleep,
                              CurrentTime,
                              GetLastError,
                              CurrentTimeInt64,
                              nullptr,
                              nullptr,
                              nullptr};
    return sqlite3_vfs_register(&vfs, 0) == SQLITE_OK ? &vfs : nullptr;
}

}  // namespace

const char* ReadOnlyVfsName() {
    static sqlite3_vfs* const vfs = Register();
    return vfs ? kName : nullptr;
}

}  // namespace brackwell::registry
