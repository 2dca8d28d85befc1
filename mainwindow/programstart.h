#pragma once

// The program's start-up: with an empty command line it shows the main window and runs until the
// window closes; otherwise it fills the window from the switches, shows it, dresses the folders
// once and ends. Without a display the switches run offscreen and messages go to standard error.
// Returns the process exit status.
int startProgram(int argc, char **argv);
