#pragma once

#include <QIcon>
#include <QString>

// Icon `index` of a program or library file (.dll, .exe, .ocx) at 16, 32 and 48 pixels, as the
// shell counts them: 0 and up by position, a negative index by resource id; null when absent.
QIcon libraryIcon(const QString &file, long long index);
