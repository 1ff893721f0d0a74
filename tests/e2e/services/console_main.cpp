// A console service: a console program that records itself and then idles until it is ended,
// like the console servers the tool is made for.
#include <windows.h>

#include "service_record.h"

int wmain() {
  if (!svcman::e2e::WriteServiceRecord(GetConsoleWindow())) return 4;
  for (;;) Sleep(INFINITE);
}
