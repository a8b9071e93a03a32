#include "startbutton/launch.h"

#include <windows.h>
#include <shellapi.h>

#include "app/app_state.h"
#include "app/main_controls.h"
#include "app/main_window.h"
#include "ui/dialogs.h"

#if defined(__i386__)
static_assert(sizeof(STARTUPINFOA) == 68, "32-bit STARTUPINFOA");
static_assert(sizeof(SHELLEXECUTEINFOA) == 60, "32-bit SHELLEXECUTEINFOA");
#endif

namespace {

const char NoticeCaption[] = "Startbutton-Funktion";
const char NoticeText[] = "Die Startbutton-Funktion wurde noch nicht im Programm festgelegt.";

const char* OrEmpty(const char* text) { return text ? text : ""; }

}  // namespace

void HandleStartButtonClick() {
  ReadParameterField();
  if (App.ProgramPath.empty()) {
    ShowMessageBox(NoticeCaption, NoticeText, MB_ICONINFORMATION);
    ShowMainWindow();
  } else {
    const char* parameters = App.ParameterEnabled == 1 ? App.ParameterText.c_str() : "";
    std::string directory = DirectoryPart(App.ProgramPath.c_str());
    LaunchProgram(App.ProgramPath.c_str(), parameters, directory.c_str());
  }
  // Presses made while the notice was open are dropped here.
  App.StartButtonClicked = 0;
}

std::string ComposeCommandLine(const char* file, const char* parameters) {
  file = OrEmpty(file);
  parameters = OrEmpty(parameters);
  std::string line;
  if (file[0] == '"') {
    line = file;
  } else {
    line = "\"";
    line += file;
    line += "\"";
  }
  if (parameters[0]) {
    line += ' ';
    line += parameters;
  }
  return line;
}

std::string DirectoryPart(const char* path) {
  path = OrEmpty(path);
  if (path[0] == '"') ++path;
  size_t end = 0;
  for (size_t i = 0; path[i]; ++i)
    if (path[i] == '\\' || path[i] == '/') end = i + 1;
  return std::string(path, end);
}

bool LaunchProgram(const char* file, const char* parameters, const char* directory) {
  file = OrEmpty(file);
  parameters = OrEmpty(parameters);
  const char* folder = (directory && directory[0]) ? directory : NULL;

  // CreateProcessA may write into the command line, so it gets a private copy.
  std::string line = ComposeCommandLine(file, parameters);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  if (CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL, folder, &si, &pi)) {
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return true;
  }

  // Not a program (a document, a shortcut, ...): the shell opens it with its default verb.
  SHELLEXECUTEINFOA sei = {};
  sei.cbSize = sizeof(sei);
  sei.fMask = SEE_MASK_NOCLOSEPROCESS;
  sei.lpVerb = "";
  sei.lpFile = file;
  sei.lpParameters = parameters;
  sei.lpDirectory = folder;
  sei.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExA(&sei)) return false;
  if (sei.hProcess) CloseHandle(sei.hProcess);
  return true;
}
