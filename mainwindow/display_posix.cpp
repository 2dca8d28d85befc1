#include "mainwindow/display.h"

#include <QtGlobal>

bool displayAvailable()
{
    // X11 and Wayland clients find their server through these variables.
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!qEnvironmentVariableIsEmpty(name))
            return true;
    }
    return false;
}
