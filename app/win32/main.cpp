// Entry point of the Windows program. The window arrives in the next step; until then the
// program runs what start-up it has and ends.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
