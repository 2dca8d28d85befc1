#include "mainwindow/display.h"

bool displayAvailable()
{
    // Every Windows session has a desktop to show windows on.
    return true;
}
