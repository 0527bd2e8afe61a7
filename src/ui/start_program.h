#pragma once

#include <windows.h>

// Runs the program: prepares the process, creates the main window, runs the
// message loop until the window is closed and returns the exit code, 0. When
// the window cannot be created it shows an error and ends the process at once
// with exit code -1.
int StartProgram(HINSTANCE instance, int showCommand);
