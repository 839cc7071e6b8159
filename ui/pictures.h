// The window's pictures, loaded by name from the resources built into the program.
#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QList>
#include <QPixmap>

namespace brindora::pictures {

// Names: europe_map, flag_strip, window_icon, window_pointer, car_picture,
// exit_picture, exit_pointer, map_pointer, region_pointer.
QString resourcePath(const char* name); // empty for an unknown name
// The same picture drawn larger, for sharp screens: the scales there are, smallest first,
// and the file of each (loaded only by the one who asks).
QList<int> largerScales(const char* name);
QString largerPath(const char* name, int scale);
QPixmap pixmap(const char* name);       // null when the picture is missing
QIcon icon(const char* name);           // every image of an icon file
QCursor cursor(const char* name);       // 32-pixel image, hot spot at its centre; arrow if missing
QList<QImage> images(const char* name); // every image of the file, in file order
int storedDepth(const QImage& image);   // bits per pixel in an icon file, else the image's depth

} // namespace brindora::pictures
