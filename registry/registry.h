#pragma once
// The device registry: ten calls with the platform's signatures and types.
// Every call returns ERROR_SUCCESS (0) on success and a non-zero error code on
// failure; a failed call changes nothing. A call that changes the registry has
// been written durably when it returns, and other processes using the same
// registry file see it on their next call. Names are UTF-16 and compare without
// regard to case; name lengths are counted in characters, data sizes in bytes.
// Key names are 1-255 characters without a backslash, value names 0-255
// characters (the empty name is the key's default value), data at most 1 MiB,
// keys at most 512 levels below a root. A registry file must be open (see
// device_registry.h) or every call fails with ERROR_INVALID_HANDLE.
// Arguments the platform reserves (ulOptions, samDesired, Reserved, lpClass
// and security attributes on create, ...) are accepted and ignored. Keys carry
// no class and no write time: both come back empty.

#include <cstdint>

using BYTE = std::uint8_t;
using LPBYTE = BYTE*;
using WCHAR = char16_t;
using LPWSTR = WCHAR*;
using LPCWSTR = const WCHAR*;
using DWORD = std::uint32_t;
using LPDWORD = DWORD*;
using LONG = std::int32_t;
using REGSAM = DWORD;
using DWORD_PTR = std::uintptr_t;

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using PFILETIME = FILETIME*;

struct SECURITY_ATTRIBUTES;
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

// The four predefined roots.
inline const HKEY HKEY_CLASSES_ROOT = reinterpret_cast<HKEY>(DWORD_PTR{0x80000000});
inline const HKEY HKEY_CURRENT_USER = reinterpret_cast<HKEY>(DWORD_PTR{0x80000001});
inline const HKEY HKEY_LOCAL_MACHINE = reinterpret_cast<HKEY>(DWORD_PTR{0x80000002});
inline const HKEY HKEY_USERS = reinterpret_cast<HKEY>(DWORD_PTR{0x80000003});

inline constexpr LONG ERROR_SUCCESS = 0;
inline constexpr LONG ERROR_FILE_NOT_FOUND = 2;
inline constexpr LONG ERROR_ACCESS_DENIED = 5;
inline constexpr LONG ERROR_INVALID_HANDLE = 6;
inline constexpr LONG ERROR_NOT_ENOUGH_MEMORY = 8;
inline constexpr LONG ERROR_WRITE_FAULT = 29;
inline constexpr LONG ERROR_INVALID_PARAMETER = 87;
inline constexpr LONG ERROR_MORE_DATA = 234;
inline constexpr LONG ERROR_NO_MORE_ITEMS = 259;
inline constexpr LONG ERROR_BUSY = 170;
inline constexpr LONG ERROR_KEY_DELETED = 1018;
inline constexpr LONG ERROR_REGISTRY_CORRUPT = 1015;
inline constexpr LONG ERROR_REGISTRY_IO_FAILED = 1016;

inline constexpr DWORD REG_NONE = 0;
inline constexpr DWORD REG_SZ = 1;
inline constexpr DWORD REG_EXPAND_SZ = 2;
inline constexpr DWORD REG_BINARY = 3;
inline constexpr DWORD REG_DWORD = 4;
inline constexpr DWORD REG_MULTI_SZ = 7;

inline constexpr DWORD REG_CREATED_NEW_KEY = 1;
inline constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens the key lpSubKey (a path of names separated by backslashes; empty or
// null for hKey itself) below the open key or root hKey into *phkResult.
// ERROR_FILE_NOT_FOUND when it does not exist. Close it with RegCloseKey.
LONG RegOpenKeyEx(HKEY hKey, LPCWSTR lpSubKey, DWORD ulOptions, REGSAM samDesired,
                  PHKEY phkResult);

// Opens the key lpSubKey below hKey, creating it and any missing keys on its
// path first, into *phkResult; *lpdwDisposition (if given) tells
// REG_CREATED_NEW_KEY from REG_OPENED_EXISTING_KEY. A new key keeps the case
// of its name.
LONG RegCreateKeyEx(HKEY hKey, LPCWSTR lpSubKey, DWORD Reserved, LPWSTR lpClass,
                    DWORD dwOptions, REGSAM samDesired,
                    LPSECURITY_ATTRIBUTES lpSecurityAttributes, PHKEY phkResult,
                    LPDWORD lpdwDisposition);

// Copies the name of hKey's subkey number dwIndex (0, 1, ... in creation
// order) and its NUL into lpName, whose size *lpcchName gives in characters;
// *lpcchName becomes the name's length without the NUL. ERROR_MORE_DATA when
// the buffer is too small, ERROR_NO_MORE_ITEMS past the last subkey. The order
// holds while the handle enumerates, whatever other processes do meanwhile.
LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName,
                  LPDWORD lpReserved, LPWSTR lpClass, LPDWORD lpcchClass,
                  PFILETIME lpftLastWriteTime);

// Like RegEnumKeyEx for hKey's values: the name into lpValueName, and the type
// and data into *lpType and lpData (size *lpcbData in bytes) when given.
// ERROR_MORE_DATA, with *lpcbData set to the size needed, when the data does not fit.
LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName,
                  LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData);

// Reports what a caller needs to size its enumeration buffers: the number of
// subkeys and values, and the longest subkey name, value name (characters) and
// value data (bytes). Pass null for what you do not need.
LONG RegQueryInfoKey(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD lpReserved,
                     LPDWORD lpcSubKeys, LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen,
                     LPDWORD lpcValues, LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                     LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime);

// Reads hKey's value lpValueName (empty or null: the default value): its type
// into *lpType and its data into lpData, whose size *lpcbData gives in bytes;
// *lpcbData becomes the data's size. With lpData null, only the size is
// reported. ERROR_MORE_DATA when the buffer is too small, ERROR_FILE_NOT_FOUND
// when the value does not exist.
LONG RegQueryValueEx(HKEY hKey, LPCWSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                     LPBYTE lpData, LPDWORD lpcbData);

// Creates or replaces hKey's value lpValueName with dwType and cbData bytes
// from lpData. The bytes are stored as given, whatever the type: a string is
// UTF-16LE and normally ends with its NUL, a REG_DWORD is 4 little-endian bytes.
LONG RegSetValueEx(HKEY hKey, LPCWSTR lpValueName, DWORD Reserved, DWORD dwType,
                   const BYTE* lpData, DWORD cbData);

// Deletes the key lpSubKey below hKey with every key and value below it.
// A root cannot be deleted; handles still open on a deleted key fail with
// ERROR_KEY_DELETED.
LONG RegDeleteKey(HKEY hKey, LPCWSTR lpSubKey);

// Deletes hKey's value lpValueName; ERROR_FILE_NOT_FOUND when there is none.
LONG RegDeleteValue(HKEY hKey, LPCWSTR lpValueName);

// Releases a handle from RegOpenKeyEx or RegCreateKeyEx. Closing a root does
// nothing; a closed handle is invalid afterwards (ERROR_INVALID_HANDLE).
LONG RegCloseKey(HKEY hKey);
