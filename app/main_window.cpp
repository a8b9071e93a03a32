#include "app/main_window.h"

#include <vector>

#include "app/app_state.h"
#include "app/event_source.h"
#include "settings/settings_store.h"

namespace {

HACCEL Accelerators = NULL;
const DWORD MainWindowStyle = WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void OnCommand(WPARAM wParam, LPARAM lParam) {
  if (lParam) {
    HWND control = reinterpret_cast<HWND>(lParam);
    SetCurrentEvent(ControlEvent, GetWindowLongA(control, GWL_ID), HIWORD(wParam));
  } else if (HIWORD(wParam) == 0) {
    SetCurrentEvent(MenuEvent, static_cast<int32_t>(wParam), -1);
  } else if (LOWORD(wParam) == FocusNextCommand) {
    FocusNextControl();
  } else if (LOWORD(wParam) == FocusPreviousCommand) {
    FocusPreviousControl();
  } else {
    SetCurrentEvent(MenuEvent, LOWORD(wParam), -1);
  }
}

LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_COMMAND:
      OnCommand(wParam, lParam);
      return 0;
    case WM_SIZE:
      if (wParam == SIZE_MINIMIZED) AppendPendingEvent(MinimizeEvent, MainWindowNumber);
      return 0;
    case WM_CLOSE:
      // Never destroyed here: the loop ends, the settings are saved, then shutdown.
      AppendPendingEvent(CloseEvent, MainWindowNumber);
      return 0;
    case WM_ENDSESSION:
      // Velkaro lives until logoff, so this is where most sessions end: keep the changes.
      if (wParam) SaveSettings(App.ProgramName.c_str(), SettingsFileName);
      return 0;
  }
  return DefWindowProcA(hwnd, msg, wParam, lParam);
}

HACCEL CreateNavigationAccelerators() {
  ACCEL keys[2] = {};
  keys[0].fVirt = FVIRTKEY | FNOINVERT;
  keys[0].key = VK_TAB;
  keys[0].cmd = FocusNextCommand;
  keys[1].fVirt = FVIRTKEY | FNOINVERT | FSHIFT;
  keys[1].key = VK_TAB;
  keys[1].cmd = FocusPreviousCommand;
  return CreateAcceleratorTableA(keys, 2);
}

struct ChildList {
  std::vector<HWND> Windows;
};

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
  reinterpret_cast<ChildList*>(param)->Windows.push_back(child);
  return TRUE;
}

bool IsTabStop(HWND w) {
  return IsWindowEnabled(w) && IsWindowVisible(w) && (GetWindowLongA(w, GWL_STYLE) & WS_TABSTOP);
}

// The eligible tab stops of the active window, in the order EnumChildWindows gives,
// and the position of the focused one among them (-1 when none of them has it).
std::vector<HWND> TabStops(int* focusIndex) {
  HWND active = GetActiveWindow();
  HWND focus = GetFocus();
  if (!active || !focus || !IsChild(active, focus)) focus = NULL;
  ChildList all;
  if (active) EnumChildWindows(active, CollectChild, reinterpret_cast<LPARAM>(&all));
  std::vector<HWND> stops;
  *focusIndex = -1;
  for (HWND w : all.Windows) {
    if (!IsTabStop(w)) continue;
    if (w == focus) *focusIndex = static_cast<int>(stops.size());
    stops.push_back(w);
  }
  return stops;
}

}  // namespace

HWND OpenMainWindow(const char* title) {
  HINSTANCE instance = GetModuleHandleA(NULL);
  WNDCLASSA wc = {};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = MainWindowProc;
  wc.hInstance = instance;
  wc.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(1));
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = MainWindowClassName;
  RegisterClassA(&wc);

  RECT r = {0, 0, MainClientWidth, MainClientHeight};
  AdjustWindowRectEx(&r, MainWindowStyle, FALSE, 0);
  int width = r.right - r.left;
  int height = r.bottom - r.top;
  int screenWidth = GetSystemMetrics(SM_CXSCREEN);
  int screenHeight = GetSystemMetrics(SM_CYSCREEN);
  if (width > screenWidth) width = screenWidth;
  if (height > screenHeight) height = screenHeight;
  int x = (screenWidth - width) / 2;
  int y = (screenHeight - height) / 2;

  HWND hwnd = CreateWindowExA(0, MainWindowClassName, title, MainWindowStyle, x, y, width, height, NULL, NULL,
                              instance, NULL);
  if (!hwnd) {
    UnregisterClassA(MainWindowClassName, instance);
    return NULL;
  }
  ShowWindow(hwnd, SW_SHOWNORMAL);
  Accelerators = CreateNavigationAccelerators();
  App.MainWindow = hwnd;
  return hwnd;
}

void ShowMainWindow() {
  ShowWindow(App.MainWindow, SW_RESTORE);
  int show = SW_SHOWNORMAL;
  if (IsZoomed(App.MainWindow))
    show = SW_SHOWMAXIMIZED;
  else if (IsIconic(App.MainWindow))
    show = SW_SHOWMINIMIZED;
  ShowWindow(App.MainWindow, show);
  SetForegroundWindow(App.MainWindow);
}

void HideMainWindow() { ShowWindow(App.MainWindow, SW_HIDE); }

void DestroyMainWindow() {
  if (App.MainWindow) DestroyWindow(App.MainWindow);
  App.MainWindow = NULL;
  if (Accelerators) DestroyAcceleratorTable(Accelerators);
  Accelerators = NULL;
  UnregisterClassA(MainWindowClassName, GetModuleHandleA(NULL));
}

HACCEL MainWindowAccelerators() { return Accelerators; }

void FocusNextControl() {
  int at = 0;
  std::vector<HWND> stops = TabStops(&at);
  if (stops.empty()) return;
  size_t next = (at < 0 || at + 1 >= static_cast<int>(stops.size())) ? 0 : static_cast<size_t>(at + 1);
  SetFocus(stops[next]);
}

void FocusPreviousControl() {
  int at = 0;
  std::vector<HWND> stops = TabStops(&at);
  if (stops.empty()) return;
  size_t previous = (at <= 0) ? stops.size() - 1 : static_cast<size_t>(at - 1);
  SetFocus(stops[previous]);
}
