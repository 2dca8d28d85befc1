#include "app/windowsentry.h"

#include "mainwindow/programstart.h"

extern "C" RAVO2_WINDOWS_EXPORT int ravo2_windows_main_v1(int argc, char **argv)
{
    return startProgram(argc, argv);
}
