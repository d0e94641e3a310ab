#pragma once
// The search cursor: where the next search step continues. Program-wide so
// that the document's selection and the search share it.

#include "framework/types.h"

// Row of the value that matched last within the key the next step starts at;
// -1 when no value of that key has matched yet.
extern int g_nFoundValue;
// Tree item whose name matched last; the next step does not match it by name again.
extern HTREEITEM g_hFoundKeyItem;
