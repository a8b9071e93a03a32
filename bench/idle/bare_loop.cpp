// The floor for the idle benchmark: the same wait as Velkaro's main loop and nothing
// else, so that the difference in CPU time is what Velkaro adds on top of Wine's own.
// With "window" on the command line it first shows one plain window: under Wine a
// thread that owns a window pays more per wait, whatever its loop does.
#include <windows.h>
#include <string.h>

namespace {

// Velkaro's wake mask and wait; both must stay equal to app/event_source.cpp.
const DWORD WakeMask = 0x1FF;
const DWORD WaitMs = 10;

void ShowPlainWindow(HINSTANCE instance) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = DefWindowProcA;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = "BareLoopWindow";
  RegisterClassA(&wc);
  HWND window = CreateWindowA(wc.lpszClassName, "bare loop", WS_OVERLAPPEDWINDOW, 100, 100, 400, 300, NULL, NULL,
                              instance, NULL);
  ShowWindow(window, SW_SHOWNORMAL);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
  if (strstr(commandLine, "window")) ShowPlainWindow(instance);
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) {
      if (MsgWaitForMultipleObjects(0, NULL, FALSE, WaitMs, WakeMask) == WAIT_TIMEOUT) continue;
      if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) continue;
    }
    if (msg.message == WM_QUIT) return 0;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}
