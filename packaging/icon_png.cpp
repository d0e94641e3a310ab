// Build-time tool: writes the program's icon art (an XPM) as a PNG scaled by a
// whole factor, each pixel repeated as a block so the icon stays crisp.
// Usage: icon_png INPUT.xpm FACTOR OUTPUT.png

#include <QImage>
#include <cstdio>
#include <cstdlib>

int main(int argc, char* argv[]) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: icon_png INPUT.xpm FACTOR OUTPUT.png\n");
        return 1;
    }
    const QImage art(QString::fromLocal8Bit(argv[1]));
    const int factor = std::atoi(argv[2]);
    if (art.isNull() || factor < 1) {
        std::fprintf(stderr, "icon_png: cannot read %s or bad factor %s\n", argv[1], argv[2]);
        return 1;
    }
    const QImage scaled =
        art.convertToFormat(QImage::Format_ARGB32)
            .scaled(art.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
        std::fprintf(stderr, "icon_png: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
