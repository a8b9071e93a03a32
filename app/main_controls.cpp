#include "app/main_controls.h"

#include <windows.h>

#include <vector>

#include "app/app_state.h"

void ReadParameterField() {
  HWND field = App.MainWindow ? GetDlgItem(App.MainWindow, ParameterFieldNumber) : NULL;
  if (!field) return;
  int length = GetWindowTextLengthA(field);
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  GetWindowTextA(field, text.data(), length + 1);
  App.ParameterText = text.data();
}
