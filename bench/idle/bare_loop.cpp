// The floor for the idle benchmark: the same wait as Velkaro's main loop and nothing
// else, so that the difference in CPU time is what Velkaro adds on top of Wine's own.
#include <windows.h>

namespace {

// Velkaro's wake mask and wait; both must stay equal to app/event_source.cpp.
const DWORD WakeMask = 0x1FF;
const DWORD WaitMs = 10;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  MSG msg;
  for (;;) {
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) {
      if (MsgWaitForMultipleObjects(0, NULL, FALSE, WaitMs, WakeMask) == WAIT_TIMEOUT) continue;
      if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) continue;
    }
    if (msg.message == WM_QUIT) return 0;
    DispatchMessageA(&msg);
  }
}
