#include <windows.h>

#include "ui/start_program.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
  return StartProgram(instance, showCommand);
}
