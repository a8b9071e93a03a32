#include "tests/e2e/e2e_support.h"

#include <shellapi.h>

#include <vector>

std::string TestEnv(const char* name) {
  char buffer[4096];
  DWORD n = GetEnvironmentVariableA(name, buffer, sizeof(buffer));
  return (n > 0 && n < sizeof(buffer)) ? std::string(buffer, n) : std::string();
}

std::string VelkaroExePath() { return TestEnv("VELKARO_EXE"); }

std::string TestBinaryPath(const std::string& relative) { return TestEnv("VELKARO_BIN") + "\\" + relative; }

namespace {

void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((path + "\\*").c_str(), &found);
  if (h != INVALID_HANDLE_VALUE) {
    do {
      std::string name = found.cFileName;
      if (name == "." || name == "..") continue;
      std::string child = path + "\\" + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(child);
      } else {
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(child.c_str());
      }
    } while (FindNextFileA(h, &found));
    FindClose(h);
  }
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  RemoveDirectoryA(path.c_str());
}

}  // namespace

TempFolder::TempFolder() {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  static unsigned counter = 0;
  for (;;) {
    char name[MAX_PATH];
    wsprintfA(name, "%svelkaro-test-%lu-%u", temp, GetCurrentProcessId(), ++counter);
    if (CreateDirectoryA(name, NULL)) {
      Path = name;
      return;
    }
  }
}

TempFolder::~TempFolder() { RemoveTree(Path); }

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start >= timeoutMs) return done();
    MSG msg;
    while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    MsgWaitForMultipleObjects(0, NULL, FALSE, 5, QS_ALLINPUT);
  }
}

namespace {

// This process's environment with APPDATA replaced (or removed) and extra
// "NAME=value" entries (separated by "\n") added.
std::vector<char> ChildEnvironment(const char* appData, const char* extraEnv) {
  std::vector<char> block;
  char* env = GetEnvironmentStringsA();
  for (const char* p = env; *p; p += strlen(p) + 1) {
    if (_strnicmp(p, "APPDATA=", 8) == 0) continue;
    block.insert(block.end(), p, p + strlen(p) + 1);
  }
  FreeEnvironmentStringsA(env);
  if (appData) {
    std::string entry = std::string("APPDATA=") + appData;
    block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
  }
  if (extraEnv) {
    std::string extra = extraEnv;
    size_t start = 0;
    while (start < extra.size()) {
      size_t end = extra.find('\n', start);
      if (end == std::string::npos) end = extra.size();
      std::string entry = extra.substr(start, end - start);
      if (!entry.empty()) block.insert(block.end(), entry.c_str(), entry.c_str() + entry.size() + 1);
      start = end + 1;
    }
  }
  block.push_back('\0');
  return block;
}

struct WindowSearch {
  DWORD Pid;
  const char* ClassName;
  HWND Found;
};

BOOL CALLBACK MatchWindow(HWND w, LPARAM param) {
  WindowSearch* s = reinterpret_cast<WindowSearch*>(param);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  char cls[256] = "";
  GetClassNameA(w, cls, sizeof(cls));
  if (pid == s->Pid && (!s->ClassName || lstrcmpA(cls, s->ClassName) == 0)) {
    s->Found = w;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const char* className) {
  WindowSearch s = {pid, className, NULL};
  EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&s));
  return s.Found;
}

HWND WaitForDialog(DWORD pid, DWORD timeoutMs) {
  HWND dialog = NULL;
  WaitUntil(
      [&] {
        dialog = FindProcessWindow(pid, "#32770");
        return dialog && IsWindowVisible(dialog);
      },
      timeoutMs);
  return (dialog && IsWindowVisible(dialog)) ? dialog : NULL;
}

HWND FindDesktopWindow(HDESK desktop, DWORD pid) {
  WindowSearch s = {pid, NULL, NULL};
  EnumDesktopWindows(desktop, MatchWindow, reinterpret_cast<LPARAM>(&s));
  return s.Found;
}

bool VelkaroRun::Start(const char* appData, const char* currentDirectory, const char* extraEnv, const char* desktop) {
  std::string exe = VelkaroExePath();
  std::string line = "\"" + exe + "\"";
  std::vector<char> env = ChildEnvironment(appData, extraEnv);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.lpDesktop = const_cast<char*>(desktop);
  return CreateProcessA(exe.c_str(), &line[0], NULL, NULL, FALSE, 0, env.data(), currentDirectory, &si, &Process) !=
         0;
}

bool VelkaroRun::WaitForWindow(DWORD timeoutMs) {
  return WaitUntil(
      [this] {
        Window = FindProcessWindow(Process.dwProcessId, "VelkaroMainWindow");
        return Window != NULL && IsWindowVisible(Window);
      },
      timeoutMs);
}

bool VelkaroRun::WaitForIdle(DWORD timeoutMs) {
  return Process.hProcess && WaitForInputIdle(Process.hProcess, timeoutMs) == 0;
}

bool VelkaroRun::IsRunning() const {
  return Process.hProcess && WaitForSingleObject(Process.hProcess, 0) == WAIT_TIMEOUT;
}

bool VelkaroRun::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
  if (!Process.hProcess) return false;
  bool ended = WaitUntil([this] { return !IsRunning(); }, timeoutMs);
  if (ended && exitCode) GetExitCodeProcess(Process.hProcess, exitCode);
  return ended;
}

bool VelkaroRun::PostClose() { return Window && PostMessageA(Window, WM_CLOSE, 0, 0); }

VelkaroRun::~VelkaroRun() {
  if (Process.hProcess) {
    // Only this test's own process, by its handle.
    if (IsRunning()) {
      TerminateProcess(Process.hProcess, 99);
      WaitForSingleObject(Process.hProcess, 5000);
    }
    CloseHandle(Process.hProcess);
    CloseHandle(Process.hThread);
  }
}

HWND StartButton() {
  HWND tray = FindWindowA("Shell_TrayWnd", NULL);
  return tray ? FindWindowExA(tray, NULL, "Button", NULL) : NULL;
}

RECT StartButtonRect() {
  RECT r = {};
  GetWindowRect(StartButton(), &r);
  return r;
}

POINT Centre(const RECT& r) {
  POINT p = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
  return p;
}

namespace {

void SendMouse(DWORD flags, LONG x, LONG y) {
  INPUT in = {};
  in.type = INPUT_MOUSE;
  in.mi.dx = x;
  in.mi.dy = y;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof(in));
}

// Rounded up: the system scales back by truncating, which must land on p itself.
POINT Absolute(POINT p) {
  int w = GetSystemMetrics(SM_CXSCREEN);
  int h = GetSystemMetrics(SM_CYSCREEN);
  POINT a = {static_cast<LONG>((p.x * 65536 + w - 1) / w), static_cast<LONG>((p.y * 65536 + h - 1) / h)};
  return a;
}

}  // namespace

void MoveCursorTo(POINT p) {
  POINT a = Absolute(p);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, a.x, a.y);
  WaitUntil(
      [p] {
        POINT c;
        GetCursorPos(&c);
        return c.x == p.x && c.y == p.y;
      },
      2000);
}

void SendMouseButton(DWORD flags) { SendMouse(flags, 0, 0); }

void PressAt(POINT p, DWORD downFlag, DWORD upFlag) {
  MoveCursorTo(p);
  // The buttons carry the position too: Wine may have warped the pointer meanwhile
  // (seen right after a message box of another process had closed).
  POINT a = Absolute(p);
  SendMouse(downFlag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, a.x, a.y);
  SendMouse(upFlag | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, a.x, a.y);
}

void ClickAt(POINT p) { PressAt(p, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP); }

void SendKey(WORD vk, bool up) {
  INPUT in = {};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof(in));
}

bool DismissWithEnter(HWND dialog) {
  for (int i = 0; i < 5 && IsWindow(dialog); ++i) {
    SetForegroundWindow(dialog);
    WaitUntil([dialog] { return GetForegroundWindow() == dialog; }, 1000);
    SendKey(VK_RETURN, false);
    SendKey(VK_RETURN, true);
    WaitUntil([dialog] { return !IsWindow(dialog); }, 2000);
  }
  return !IsWindow(dialog);
}

namespace {

BOOL CALLBACK FindVisibleMenu(HWND w, LPARAM param) {
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof(cls));
  if (lstrcmpA(cls, "#32768") == 0 && IsWindowVisible(w)) {
    *reinterpret_cast<bool*>(param) = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool StartMenuOpen() {
  bool open = false;
  EnumWindows(FindVisibleMenu, reinterpret_cast<LPARAM>(&open));
  return open;
}

void CloseStartMenu() {
  for (int i = 0; i < 5 && StartMenuOpen(); ++i) {
    SendKey(VK_ESCAPE, false);
    SendKey(VK_ESCAPE, true);
    if (WaitUntil([] { return !StartMenuOpen(); }, 1000)) break;
    // A press on the bare desktop dismisses a menu that did not take the key.
    POINT empty = {GetSystemMetrics(SM_CXSCREEN) - 10, 10};
    ClickAt(empty);
    WaitUntil([] { return !StartMenuOpen(); }, 1000);
  }
}

std::vector<std::string> RecordFiles(const std::string& folder) {
  std::vector<std::string> files;
  WIN32_FIND_DATAA found;
  HANDLE h = FindFirstFileA((folder + "\\record-*.txt").c_str(), &found);
  if (h == INVALID_HANDLE_VALUE) return files;
  do {
    std::string name = found.cFileName;
    // The pattern may also match the recorder's unfinished "record-<pid>.txt.part".
    if (name.size() > 4 && name.compare(name.size() - 4, 4, ".txt") == 0) files.push_back(folder + "\\" + name);
  } while (FindNextFileA(h, &found));
  FindClose(h);
  return files;
}

std::string ReadWholeFile(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING, 0, NULL);
  if (h == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes(GetFileSize(h, NULL), '\0');
  DWORD got = 0;
  if (!bytes.empty()) ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, NULL);
  CloseHandle(h);
  bytes.resize(got);
  return bytes;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD put = 0;
  BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &put, NULL);
  CloseHandle(h);
  return ok && put == bytes.size();
}

bool FileExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::string& path) {
  DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

BOOL CALLBACK CountButton(HWND w, LPARAM param) {
  char cls[64] = "";
  GetClassNameA(w, cls, sizeof(cls));
  if (lstrcmpA(cls, "Button") == 0 && IsWindowVisible(w)) ++*reinterpret_cast<int*>(param);
  return TRUE;
}

HHOOK Observer = NULL;
std::vector<ObservedMouseEvent> ObservedEvents;

LRESULT CALLBACK ObserveMouse(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const MSLLHOOKSTRUCT* m = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
    ObservedEvents.push_back(ObservedMouseEvent{wParam, m->pt});
  }
  return CallNextHookEx(NULL, code, wParam, lParam);
}

LRESULT CALLBACK PressTargetProc(HWND w, UINT msg, WPARAM wParam, LPARAM lParam) {
  PressTarget* target = reinterpret_cast<PressTarget*>(GetWindowLongPtrA(w, GWLP_USERDATA));
  if (target && (msg == WM_LBUTTONDOWN || msg == WM_RBUTTONDOWN || msg == WM_LBUTTONUP)) target->Received.push_back(msg);
  return DefWindowProcA(w, msg, wParam, lParam);
}

}  // namespace

int VisibleTaskbarButtons() {
  HWND tray = FindWindowA("Shell_TrayWnd", NULL);
  int count = 0;
  if (tray) EnumChildWindows(tray, CountButton, reinterpret_cast<LPARAM>(&count));
  return count;
}

void StartObservingMouse() {
  ObservedEvents.clear();
  if (!Observer) Observer = SetWindowsHookExA(WH_MOUSE_LL, ObserveMouse, GetModuleHandleA(NULL), 0);
}

void StopObservingMouse() {
  if (Observer) UnhookWindowsHookEx(Observer);
  Observer = NULL;
}

std::vector<ObservedMouseEvent>& ObservedMouse() { return ObservedEvents; }

bool Observed(WPARAM message, POINT at) {
  for (const ObservedMouseEvent& e : ObservedEvents)
    if (e.Message == message && e.At.x == at.x && e.At.y == at.y) return true;
  return false;
}

bool PressTarget::Open(int x, int y, int w, int h) {
  WNDCLASSA wc = {};
  wc.lpfnWndProc = PressTargetProc;
  wc.hInstance = GetModuleHandleA(NULL);
  wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = "VelkaroTestPressTarget";
  RegisterClassA(&wc);
  Window = CreateWindowExA(WS_EX_TOPMOST, wc.lpszClassName, "press target", WS_POPUP | WS_VISIBLE | WS_BORDER, x, y, w,
                           h, NULL, NULL, wc.hInstance, NULL);
  if (!Window) return false;
  SetWindowLongPtrA(Window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return WaitUntil([this] { return IsWindowVisible(Window) != 0; }, 5000);
}

PressTarget::~PressTarget() {
  if (Window) DestroyWindow(Window);
}
