#pragma once
// An SQLite file layer for reading a registry without ever changing it.
//
// It opens every file read-only and refuses every write, truncation and
// deletion, so nothing SQLite decides to do (roll back a journal, convert the
// journal mode) can reach the disk. It also reads a database header that asks
// for write-ahead logging as one that does not: SQLite would otherwise create
// a log and a shared-memory file beside the registry just to read it. A file
// whose log still holds changes is refused before it gets here, so what is
// read is the whole file. Locks are SQLite's usual ones, so reading still
// waits out other processes' commits.

namespace brackwell::registry {

// The name to pass to sqlite3_open_v2; registered on first use.
const char* ReadOnlyVfsName();

}  // namespace brackwell::registry
