#include "app/main_loop.h"

#include "app/app_state.h"
#include "app/event_source.h"
#include "app/main_window.h"
#include "settings/settings_store.h"
#include "startbutton/launch.h"

namespace {

// Menu commands; command 1 means exit in both menus.
const int32_t ExitCommand = 1;
const int32_t ShowCommand = 4;
const int32_t HideCommand = 5;

void RunMenuCommand(int32_t item) {
  switch (item) {
    case ExitCommand:
      App.LastEvent = CloseEvent;
      break;
    case ShowCommand:
      ShowMainWindow();
      break;
    case HideCommand:
      HideMainWindow();
      break;
  }
}

}  // namespace

bool RunMainLoopPass() {
  App.LastEvent = WaitForEvent(MainLoopWaitMs);
  if (App.StartButtonClicked == 1) HandleStartButtonClick();
  if (App.LastEvent == MinimizeEvent) HideMainWindow();
  if (App.LastEvent == MenuEvent) RunMenuCommand(UiEvent.Item);
  if (App.LastEvent == CloseEvent) {
    SaveSettings(App.ProgramName.c_str(), SettingsFileName);
    return false;
  }
  return true;
}
