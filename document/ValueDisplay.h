#pragma once
// How a value shows in the values list: the Data-column text and the image
// that tells its type.

#include "framework/CString.h"

struct ValueDisplay {
    CString strText;
    int nImage = 0;
};

// Images of the values list, one per kind of value.
inline constexpr int kImageString = 0;
inline constexpr int kImageMultiString = 1;
inline constexpr int kImageNumber = 2;
inline constexpr int kImageBinary = 3;
inline constexpr int kImageOther = 4;
