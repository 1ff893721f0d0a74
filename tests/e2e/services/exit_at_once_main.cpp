// A service that records itself and ends at once, so the tool never finds it running.
#include <windows.h>

#include "service_record.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return svcman::e2e::WriteServiceRecord(nullptr) ? 0 : 4;
}
