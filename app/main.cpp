// Process entry: start-up in its fixed order, the main loop, and the shutdown.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/app_state.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "settings/settings_store.h"
#include "startbutton/start_button.h"

namespace {

void InitialiseProcess() {
  INITCOMMONCONTROLSEX icc = {};
  icc.dwSize = sizeof(icc);
  icc.dwICC = ICC_TAB_CLASSES | ICC_HOTKEY_CLASS | ICC_DATE_CLASSES | ICC_USEREX_CLASSES | ICC_INTERNET_CLASSES;
  InitCommonControlsEx(&icc);
  InitCommonControls();
  // Stays initialised for the life of the process.
  CoInitialize(NULL);
}

void StartUp() {
  const char* product = App.ProgramName.c_str();
  EnsureSettingsFolders(product);
  CreateDefaultSettings(product, SettingsFileName);
  LoadSettings(product, SettingsFileName);
  LocateStartButton();
  InstallMouseHook();
}

[[noreturn]] void ShutDown() {
  CloseSettingsFile();
  DestroyMainWindow();
  ExitProcess(0);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  App = AppState();
  InitialiseProcess();
  App.ProgramName = "Velkaro";
  App.ProgramVersion = "1.0.1";
  std::string title = App.ProgramName + " " + App.ProgramVersion;
  if (OpenMainWindow(title.c_str())) {
    StartUp();
    while (RunMainLoopPass()) {
    }
  }
  ShutDown();
}
