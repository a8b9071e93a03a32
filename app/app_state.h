// The program's one global state and the kinds of user-interface event that the
// main loop tells apart. Everything runs on the one GUI thread.
#pragma once

#include <windows.h>
#include <stdint.h>
#include <string>

enum EventKind : int32_t {
  NoEvent = 0,
  CloseEvent = 16,  // equals WM_CLOSE, so a posted WM_CLOSE counts as one by itself
  ControlEvent = 13100,
  MenuEvent = 13101,
  TrayEvent = 13102,
  MinimizeEvent = 13107,
};

// Object numbers of the user-interface objects.
const int32_t MainWindowNumber = 0;

struct AppState {
  std::string ProgramName;
  std::string ProgramVersion;

  std::string ProgramPath;
  int32_t ParameterEnabled = 0;
  std::string ParameterText;

  HWND MainWindow = NULL;
  int32_t LastEvent = NoEvent;

  HWND StartButtonWindow = NULL;
  int32_t StartButtonClicked = 0;
  HHOOK MouseHookHandle = NULL;
};

extern AppState App;
