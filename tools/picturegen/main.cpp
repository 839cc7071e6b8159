// picturegen: draws the window's pictures and writes them into the given folder.
#include "eu_flag.h"
#include "exit_picture.h"
#include "flag_pictures.h"
#include "ico_file.h"
#include "palette.h"
#include "small_pictures.h"

#include <QDir>
#include <QGuiApplication>
#include <QImageWriter>
#include <cstdio>

using namespace picturegen;

namespace {

constexpr int kIconSizes[] = {48, 32, 16};
// The pictures drawn larger for sharp screens and full screen, named as Qt names them.
constexpr int kSharpScales[] = {2, 4};
// The desktop's icon theme also shows the icon larger, in menus and software centres.
constexpr int kDesktopIconSizes[] = {16, 32, 48, 64, 128, 256};
const QList<QRgb> kFlagColours{EuFlag::kBlue.rgb(), EuFlag::kYellow.rgb(), qRgb(255, 255, 255),
                               qRgb(0, 0, 0)};

bool report(bool ok, const QString& path) {
    std::fprintf(stderr, "%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

// Six images: each size once with 256 colours and once with 32 bits and alpha.
bool writeSixImages(const QString& path, QImage (*draw)(int)) {
    IcoFile ico;
    for (int size : kIconSizes) {
        const QImage image = draw(size);
        ico.add(image, 8, Palette::build(image, 256, kFlagColours));
    }
    for (int size : kIconSizes)
        ico.add(draw(size), 32);
    return report(ico.save(path), path);
}

// Qt 6 counts PNG compression from 0 to 100. The small pictures have always been written at
// 9, nearly unpacked, so start-up only copies them; the large ones are packed tightly.
constexpr int kSmallCompression = 9, kLargeCompression = 100;

bool writePng(const QString& path, const QImage& image, int compression = kSmallCompression) {
    QImageWriter writer(path, "png");
    writer.setCompression(compression);
    return report(writer.write(image), path);
}

} // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: picturegen <assets folder> [<desktop icon folder>]\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    bool ok = writeSixImages(out.filePath("window_icon.ico"), FlagPictures::windowIcon);
    ok &= writeSixImages(out.filePath("window_pointer.ico"), FlagPictures::windowPointer);

    const QImage car = SmallPictures::car();
    ok &= writePng(out.filePath("car_picture.png"), Palette::build(car, 256, {}).toIndexed8(car));
    const QImage exit = ExitPicture::draw();
    ok &= writePng(out.filePath("exit_picture.png"),
                   Palette::build(exit, 256, kFlagColours).toIndexed8(exit));

    IcoFile stop;
    const QImage hand = SmallPictures::stopHand();
    stop.add(hand, 8, Palette::build(hand, 256, {qRgb(0, 0, 0)}));
    ok &= report(stop.save(out.filePath("exit_pointer.ico")), out.filePath("exit_pointer.ico"));

    IcoFile globe;
    globe.add(SmallPictures::globe(), 4, Palette::standard16());
    ok &= report(globe.save(out.filePath("map_pointer.ico")), out.filePath("map_pointer.ico"));

    IcoFile region;
    region.add(FlagPictures::regionPointer(), 24);
    ok &=
        report(region.save(out.filePath("region_pointer.ico")), out.filePath("region_pointer.ico"));

    const QString strip = out.filePath("flag_strip.bmp");
    ok &= report(QImageWriter(strip, "bmp").write(FlagPictures::flagStrip()), strip);
    for (int scale : kSharpScales) {
        const QString suffix = QStringLiteral("@%1x.png").arg(scale);
        ok &= writePng(out.filePath("flag_strip" + suffix),
                       FlagPictures::flagStrip(scale).convertToFormat(QImage::Format_RGB888),
                       kLargeCompression);
        ok &= writePng(out.filePath("car_picture" + suffix), SmallPictures::car(scale),
                       kLargeCompression);
    }
    // The desktop's icon theme wants the window icon as PNG files named by size.
    if (argc == 3)
        for (int size : kDesktopIconSizes) {
            const QString png =
                QDir(QString::fromLocal8Bit(argv[2])).filePath(QString::number(size) + ".png");
            ok &= report(FlagPictures::windowIcon(size).save(png, "png"), png);
        }
    return ok ? 0 : 1;
}
