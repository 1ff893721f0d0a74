// A windowed service: one visible top-level window of a class of its own.
#include "window_service.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return svcman::e2e::RunWindowService(instance, L"SvcmanTestWindow");
}
