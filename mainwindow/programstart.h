#pragma once

// The program's start-up with windows: with an empty command line it shows the main window and
// runs until the window closes; otherwise it fills the window from the switches, shows it,
// dresses the folders once and ends. Under an offscreen Qt platform messages go to standard
// error. The whole line is the program's: Qt reads none of its own switches from it.
// Returns the process exit status.
int startProgram(int argc, char **argv);
