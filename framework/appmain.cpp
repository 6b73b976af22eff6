// The program entry of GUI programs built on the framework (-municode): it
// runs the application object through AfxWinMain. Linked only when the
// program does not define its own entry.
#include "framework/app.h"

extern "C" int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow) {
  return AfxWinMain(hInstance, hPrevInstance, lpCmdLine, nCmdShow);
}
