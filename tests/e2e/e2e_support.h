// What the end-to-end tests share: a fresh folder per test, the real Velkaro.exe
// started in the harness desktop with its own APPDATA, real input through
// SendInput, and waiting for conditions while this thread keeps pumping messages.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A fresh, empty folder under the temp folder; removed with its contents at the end.
struct TempFolder {
  std::string Path;  // ends without "\"
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  std::string File(const std::string& name) const { return Path + "\\" + name; }
};

std::string TestEnv(const char* name);
std::string VelkaroExePath();
std::string TestBinaryPath(const std::string& relative);

// Pumps this thread's messages until done() is true or timeoutMs has passed.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);

// Velkaro.exe, started with APPDATA set as asked (unset when appData is null).
struct VelkaroRun {
  PROCESS_INFORMATION Process = {};
  HWND Window = NULL;

  // desktop: the name of the desktop to run on; null for the harness desktop.
  bool Start(const char* appData, const char* currentDirectory = NULL, const char* extraEnv = NULL,
             const char* desktop = NULL);
  // Waits for the main window of this process to be visible.
  bool WaitForWindow(DWORD timeoutMs = 15000);
  // Waits until start-up is over and the main loop waits for input (the hook is in by then).
  bool WaitForIdle(DWORD timeoutMs = 15000);
  bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);
  bool IsRunning() const;
  bool PostClose();
  ~VelkaroRun();
};

HWND FindProcessWindow(DWORD pid, const char* className);
// The first visible dialog (a message box, say) of process pid, or null after the timeout.
HWND WaitForDialog(DWORD pid, DWORD timeoutMs = 5000);
// A top-level window of process pid on another desktop.
HWND FindDesktopWindow(HDESK desktop, DWORD pid);
// The taskbar's visible buttons, the Start button included (the window buttons carry no text).
int VisibleTaskbarButtons();

// A low-level mouse hook of the test itself. Installed before Velkaro's, it comes
// after it in the chain and so sees only what Velkaro passes on.
struct ObservedMouseEvent {
  WPARAM Message;
  POINT At;
};
void StartObservingMouse();
void StopObservingMouse();
std::vector<ObservedMouseEvent>& ObservedMouse();
bool Observed(WPARAM message, POINT at);

// A plain window of the test's own that records the button presses it receives.
struct PressTarget {
  HWND Window = NULL;
  std::vector<UINT> Received;
  bool Open(int x, int y, int w, int h);
  ~PressTarget();
};

// The taskbar's Start button and its rectangle.
HWND StartButton();
RECT StartButtonRect();
POINT Centre(const RECT& r);

void MoveCursorTo(POINT p);
void SendMouseButton(DWORD flags);
// A left press and release at p, with the cursor moved there first.
void ClickAt(POINT p);
void PressAt(POINT p, DWORD downFlag, DWORD upFlag);
void SendKey(WORD vk, bool up);
// Brings a dialog of another process forward and presses Enter; true once it is gone.
bool DismissWithEnter(HWND dialog);

// Wine's Start menu is a popup menu window of the shell.
bool StartMenuOpen();
void CloseStartMenu();

// The finished records (record-<pid>.txt, full paths) that tests/helpers/recorder left in folder.
std::vector<std::string> RecordFiles(const std::string& folder);

std::string ReadWholeFile(const std::string& path);
bool WriteWholeFile(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
