#include "framework/CImageList.h"

#include <QImage>
#include <QPixmap>
#include <vector>

#include "framework/AfxResources.h"

struct CImageList::Impl {
    std::vector<QPixmap> images;
};

CImageList::CImageList() : m_pImpl(std::make_unique<Impl>()) {}

CImageList::~CImageList() = default;

BOOL CImageList::Create(UINT nBitmapID, int cx, int, COLORREF crMask) {
    const std::string_view xpm = AfxResources::FindBitmap(nBitmapID);
    QImage strip;
    if (xpm.empty() || cx <= 0 ||
        !strip.loadFromData(reinterpret_cast<const uchar*>(xpm.data()), int(xpm.size()), "XPM"))
        return FALSE;
    strip = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb mask = qRgb(GetRValue(crMask), GetGValue(crMask), GetBValue(crMask));
    for (int y = 0; y < strip.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(strip.scanLine(y));
        for (int x = 0; x < strip.width(); ++x)
            if ((line[x] & 0xFFFFFF) == (mask & 0xFFFFFF)) line[x] = 0;
    }
    m_pImpl->images.clear();
    for (int x = 0; x + cx <= strip.width(); x += cx)
        m_pImpl->images.push_back(QPixmap::fromImage(strip.copy(x, 0, cx, strip.height())));
    return TRUE;
}

int CImageList::GetImageCount() const { return int(m_pImpl->images.size()); }

QPixmap CImageList::GetPixmap(int nImage) const {
    if (nImage < 0 || nImage >= GetImageCount()) return QPixmap();
    return m_pImpl->images[std::size_t(nImage)];
}
