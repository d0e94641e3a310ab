#include "document/SearchCursor.h"

int g_nFoundValue = -1;
HTREEITEM g_hFoundKeyItem = nullptr;
