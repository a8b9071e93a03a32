#include "startbutton/start_button.h"

#include "app/app_state.h"

void LocateStartButton() {
  HWND taskbar = FindWindowA("Shell_TrayWnd", NULL);
  // A null taskbar makes this search the top-level windows.
  App.StartButtonWindow = FindWindowExA(taskbar, NULL, "Button", NULL);
  if (!App.StartButtonWindow) App.StartButtonWindow = FindWindowA("Button", NULL);
}

void InstallMouseHook() {
  App.MouseHookHandle = SetWindowsHookExA(WH_MOUSE_LL, MouseHookProc, GetModuleHandleA(NULL), 0);
}

// Runs inside every message retrieval of the thread: test, record, return.
LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
  if (nCode >= 0 && wParam == WM_LBUTTONDOWN) {
    RECT button = {};
    GetWindowRect(App.StartButtonWindow, &button);
    // The cursor, not the event's point: the press counts where the user sees the pointer.
    POINT cursor = {};
    GetCursorPos(&cursor);
    if (PtInRect(&button, cursor)) {
      App.StartButtonClicked = 1;
      return 1;
    }
  }
  // Other hooks in the chain see everything that is not swallowed.
  return CallNextHookEx(NULL, nCode, wParam, lParam);
}
