#pragma once

#include <QColor>
#include <QImage>
#include <QString>

// Writes a square picture of one colour as "png", "ico", "cur" or "bmp".
bool writeColourPicture(const QString &path, const char *format, QColor colour, int size = 32);

// Writes a folder's desktop.ini naming `iconFile` and `index`, in code page 1251.
bool writeDesktopIni(const QString &folder, const QString &iconFile, const QString &index = "0");

// True when every pixel of `rect` is within a small distance of `colour`.
bool allPixelsNear(const QImage &image, const QRect &rect, QColor colour);
