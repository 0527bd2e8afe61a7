// Holds Wine's desktop open for a run of the test suite. Wine starts the
// desktop's process (explorer.exe) for the first program that needs it and
// ends it a second after the last such program ends, so without a holder it
// comes and goes all through a run, and each time it inherits the output of
// the test that started it, which ctest then waits on long after that test
// has ended. Started by `scripts/wine-run --start` with no output, it stays
// until Wine is stopped.
//   keep_desktop.exe READY_FILE    makes READY_FILE once the desktop is up
#include <windows.h>

int main(int argc, char** argv) {
  GetDesktopWindow();
  if (argc > 1) {
    CloseHandle(CreateFileA(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
}
