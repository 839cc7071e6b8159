// Build step: the map as the program holds it, an uncompressed 24-bit bitmap, so that
// starting the game costs no PNG decoding.
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: to_bitmap <in.png> <out.bmp>\n");
        return 2;
    }
    const QImage image(QString::fromLocal8Bit(argv[1]));
    if (image.isNull() || !image.convertToFormat(QImage::Format_RGB888)
                               .save(QString::fromLocal8Bit(argv[2]), "BMP")) {
        std::fprintf(stderr, "to_bitmap: cannot convert %s\n", argv[1]);
        return 1;
    }
    return 0;
}
