#pragma once
// Images of one size cut from a bitmap resource strip.

#include <memory>

#include "framework/types.h"

class QPixmap;

class CImageList {
public:
    CImageList();
    ~CImageList();
    CImageList(const CImageList&) = delete;
    CImageList& operator=(const CImageList&) = delete;

    // Cuts bitmap nBitmapID into images cx pixels wide; pixels of colour
    // crMask become transparent. nGrow is accepted for compatibility.
    BOOL Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask);
    int GetImageCount() const;
    // Empty pixmap for an index out of range.
    QPixmap GetPixmap(int nImage) const;

private:
    struct Impl;
    std::unique_ptr<Impl> m_pImpl;
};
