#include "document/RootKeyTable.h"

RootKeyEntry RootKeyTable[RootKeyCount] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT", nullptr},
    {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER", nullptr},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE", nullptr},
    {HKEY_USERS, u"HKEY_USERS", nullptr},
};

CString KeyFullName(HKEY hRoot, const CString& strPath) {
    CString strName;
    for (const RootKeyEntry& root : RootKeyTable)
        if (root.hKey == hRoot) strName = root.pszName;
    if (strPath.IsEmpty()) return strName;
    return strPath[0] == u'\\' ? strName + strPath : strName + u'\\' + strPath;
}
