#include "document/RootKeyTable.h"

RootKeyEntry RootKeyTable[RootKeyCount] = {
    {HKEY_CLASSES_ROOT, u"HKEY_CLASSES_ROOT", nullptr},
    {HKEY_CURRENT_USER, u"HKEY_CURRENT_USER", nullptr},
    {HKEY_LOCAL_MACHINE, u"HKEY_LOCAL_MACHINE", nullptr},
    {HKEY_USERS, u"HKEY_USERS", nullptr},
};
