// The ten registry calls: argument checks and buffer filling around the store.

#include <algorithm>

#include "registry/current_registry.h"
#include "registry/key_path.h"
#include "registry/registry.h"

using brackwell::registry::CurrentRegistry;
using brackwell::registry::KeyInfo;
using brackwell::registry::RegistryStore;
using brackwell::registry::SplitKeyPath;
using brackwell::registry::TextOf;
using brackwell::registry::ValueRef;

namespace {

// Copies name with its terminator; the caller has checked that it fits.
void CopyName(std::u16string_view name, LPWSTR buffer, LPDWORD length) {
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = u'\0';
    *length = static_cast<DWORD>(name.size());
}

bool Fits(std::size_t nameLength, DWORD bufferLength) {
    return nameLength < bufferLength;
}

// Keys have no class: an empty one is reported when it is asked for.
LONG CheckClassBuffer(LPWSTR lpClass, LPDWORD lpcchClass) {
    if (lpClass && !lpcchClass) return ERROR_INVALID_PARAMETER;
    if (lpClass && *lpcchClass == 0) return ERROR_MORE_DATA;
    return ERROR_SUCCESS;
}

void WriteEmptyClass(LPWSTR lpClass, LPDWORD lpcchClass) {
    if (lpClass) lpClass[0] = u'\0';
    if (lpcchClass) *lpcchClass = 0;
}

}  // namespace

LONG RegOpenKeyEx(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM, PHKEY phkResult) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    // The program reopens every key by its path: the names' room is kept.
    thread_local RegistryStore::Names path;
    SplitKeyPath(lpSubKey, &path);
    return store->OpenKey(hKey, path, phkResult);
}

LONG RegCreateKeyEx(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM,
                    LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (!phkResult) return ERROR_INVALID_PARAMETER;
    return store->CreateKey(hKey, SplitKeyPath(TextOf(lpSubKey)), phkResult, lpdwDisposition);
}

LONG RegEnumKeyEx(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD,
                  LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (!lpName || !lpcchName) return ERROR_INVALID_PARAMETER;
    std::u16string_view name;
    LONG rc = store->EnumKey(hKey, dwIndex, &name);
    if (rc == ERROR_SUCCESS) rc = CheckClassBuffer(lpClass, lpcchClass);
    if (rc != ERROR_SUCCESS) return rc;
    if (!Fits(name.size(), *lpcchName)) return ERROR_MORE_DATA;
    CopyName(name, lpName, lpcchName);
    WriteEmptyClass(lpClass, lpcchClass);
    if (lpftLastWriteTime) *lpftLastWriteTime = {};
    return ERROR_SUCCESS;
}

LONG RegEnumValue(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                  LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (!lpValueName || !lpcchValueName || (lpData && !lpcbData)) return ERROR_INVALID_PARAMETER;
    ValueRef value;
    if (const LONG rc = store->EnumValue(hKey, dwIndex, &value); rc != ERROR_SUCCESS) return rc;
    const std::u16string_view name = value.name();
    const std::span<const BYTE> data = value.data();
    if (!Fits(name.size(), *lpcchValueName)) return ERROR_MORE_DATA;
    const auto size = static_cast<DWORD>(data.size());
    if (lpData && size > *lpcbData) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    CopyName(name, lpValueName, lpcchValueName);
    if (lpType) *lpType = value.type();
    if (lpData) std::copy(data.begin(), data.end(), lpData);
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegQueryInfoKey(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                     LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                     LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                     LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    KeyInfo info;
    LONG rc = store->QueryInfo(hKey, lpcSubKeys || lpcbMaxSubKeyLen,
                               lpcValues || lpcbMaxValueNameLen || lpcbMaxValueLen, &info);
    if (rc == ERROR_SUCCESS) rc = CheckClassBuffer(lpClass, lpcchClass);
    if (rc != ERROR_SUCCESS) return rc;
    WriteEmptyClass(lpClass, lpcchClass);
    if (lpcSubKeys) *lpcSubKeys = info.subKeys;
    if (lpcbMaxSubKeyLen) *lpcbMaxSubKeyLen = info.maxSubKeyNameLength;
    if (lpcbMaxClassLen) *lpcbMaxClassLen = 0;
    if (lpcValues) *lpcValues = info.values;
    if (lpcbMaxValueNameLen) *lpcbMaxValueNameLen = info.maxValueNameLength;
    if (lpcbMaxValueLen) *lpcbMaxValueLen = info.maxValueDataSize;
    if (lpcbSecurityDescriptor) *lpcbSecurityDescriptor = 0;
    if (lpftLastWriteTime) *lpftLastWriteTime = {};
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                     LPDWORD lpcbData) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (lpData && !lpcbData) return ERROR_INVALID_PARAMETER;
    ValueRef value;
    if (const LONG rc = store->QueryValue(hKey, TextOf(lpValueName), &value); rc != ERROR_SUCCESS) {
        return rc;
    }
    const std::span<const BYTE> data = value.data();
    const auto size = static_cast<DWORD>(data.size());
    if (lpData && size > *lpcbData) {
        *lpcbData = size;
        return ERROR_MORE_DATA;
    }
    if (lpType) *lpType = value.type();
    if (lpData) std::copy(data.begin(), data.end(), lpData);
    if (lpcbData) *lpcbData = size;
    return ERROR_SUCCESS;
}

LONG RegSetValueEx(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                   DWORD cbData) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    if (!lpData && cbData != 0) return ERROR_INVALID_PARAMETER;
    return store->SetValue(hKey, TextOf(lpValueName), dwType, {lpData, cbData});
}

LONG RegDeleteKey(HKEY hKey, LPCWSTR lpSubKey) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    return store->DeleteKey(hKey, SplitKeyPath(TextOf(lpSubKey)));
}

LONG RegDeleteValue(HKEY hKey, LPCWSTR lpValueName) {
    RegistryStore* store = CurrentRegistry();
    if (!store) return ERROR_INVALID_HANDLE;
    return store->DeleteValue(hKey, TextOf(lpValueName));
}

LONG RegCloseKey(HKEY hKey) {
    RegistryStore* store = CurrentRegistry();
    return store ? store->CloseKey(hKey) : ERROR_INVALID_HANDLE;
}
