// The message box and the file chooser in this test process. A watcher thread plays
// the user: it finds the open dialog, looks at it and closes it.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/e2e_support.h"
#include "ui/dialogs.h"

namespace {

// Runs act on the first visible dialog of this process, on a thread of its own.
struct DialogWatcher {
  std::function<void(HWND)> Act;
  HANDLE Thread = NULL;
  bool Found = false;

  static DWORD WINAPI Run(void* self) {
    DialogWatcher* w = static_cast<DialogWatcher*>(self);
    for (int i = 0; i < 1000; ++i) {
      HWND dialog = FindProcessWindow(GetCurrentProcessId(), "#32770");
      if (dialog && IsWindowVisible(dialog)) {
        Sleep(100);  // lets the dialog finish filling itself in
        w->Found = true;
        w->Act(dialog);
        return 0;
      }
      Sleep(10);
    }
    return 1;
  }
  void Start(std::function<void(HWND)> act) {
    Act = act;
    Thread = CreateThread(NULL, 0, Run, this, 0, NULL);
  }
  ~DialogWatcher() {
    if (Thread) {
      WaitForSingleObject(Thread, 15000);
      CloseHandle(Thread);
    }
  }
};

std::string DialogFolder(HWND dialog) {
  char folder[MAX_PATH] = "";
  SendMessageA(dialog, CDM_GETFOLDERPATH, MAX_PATH, reinterpret_cast<LPARAM>(folder));
  return folder;
}

std::string DialogFileName(HWND dialog) {
  char name[MAX_PATH] = "";
  SendMessageA(dialog, CDM_GETSPEC, MAX_PATH, reinterpret_cast<LPARAM>(name));
  return name;
}

std::string FilterText(HWND dialog) {
  char text[256] = "";
  GetDlgItemTextA(dialog, cmb1, text, sizeof(text));
  return text;
}

void Press(HWND dialog, int id) { PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }

std::string CurrentDirectory() {
  char cwd[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, cwd);
  return cwd;
}

TEST(FileChooser, OpensWithFilterAndInitialPathAndCancelGivesEmpty) {
  TempFolder folder;
  std::string initial = folder.File("Start.exe");
  DialogWatcher watcher;
  std::string seenFolder, seenName, seenFilter;
  watcher.Start([&](HWND dialog) {
    seenFolder = DialogFolder(dialog);
    seenName = DialogFileName(dialog);
    seenFilter = FilterText(dialog);
    Press(dialog, IDCANCEL);
  });
  std::string chosen = ChooseFileToOpen("Programm auswählen", initial.c_str(), "Alle Dateien|*.*", 0);
  ASSERT_TRUE(watcher.Found);
  EXPECT_EQ("", chosen);
  EXPECT_EQ(folder.Path, seenFolder);
  EXPECT_EQ("Start.exe", seenName);
  EXPECT_EQ("Alle Dateien", seenFilter);
}

TEST(FileChooser, ANameThatIsNoFileNameIsNotOffered) {
  TempFolder folder;
  std::string initial = folder.Path + "\\bad?name";
  DialogWatcher watcher;
  std::string seenName = "unset", seenFolder;
  watcher.Start([&](HWND dialog) {
    seenName = DialogFileName(dialog);
    seenFolder = DialogFolder(dialog);
    Press(dialog, IDCANCEL);
  });
  ChooseFileToOpen("t", initial.c_str(), "Alle Dateien|*.*", 0);
  ASSERT_TRUE(watcher.Found);
  EXPECT_EQ("", seenName);
  EXPECT_EQ(folder.Path, seenFolder);
}

TEST(FileChooser, TheChosenPathComesBackAndTheCurrentDirectoryStays) {
  TempFolder start, elsewhere;
  std::string file = elsewhere.File("mein programm.exe");
  ASSERT_TRUE(WriteWholeFile(file, "x"));
  std::string before = CurrentDirectory();
  ASSERT_TRUE(SetCurrentDirectoryA(start.Path.c_str()));
  DialogWatcher watcher;
  watcher.Start([&](HWND dialog) {
    SendMessageA(dialog, CDM_SETCONTROLTEXT, cmb13, reinterpret_cast<LPARAM>(file.c_str()));
    SendMessageA(dialog, CDM_SETCONTROLTEXT, edt1, reinterpret_cast<LPARAM>(file.c_str()));
    Press(dialog, IDOK);
  });
  std::string chosen = ChooseFileToOpen("t", NULL, "Alle Dateien|*.*", 0);
  ASSERT_TRUE(watcher.Found);
  EXPECT_EQ(file, chosen);
  EXPECT_EQ(start.Path, CurrentDirectory());
  SetCurrentDirectoryA(before.c_str());
}

// Top-level windows of this thread in the states that matter.
struct ThreadWindows {
  HWND Front, Plain, Hidden, Disabled;
  ThreadWindows() {
    Front = Make(true);
    Plain = Make(true);
    Hidden = Make(false);
    Disabled = Make(true);
    EnableWindow(Disabled, FALSE);
    SetForegroundWindow(Front);
    WaitUntil([this] { return GetForegroundWindow() == Front; }, 3000);
  }
  ~ThreadWindows() {
    for (HWND w : {Front, Plain, Hidden, Disabled}) DestroyWindow(w);
  }
  static HWND Make(bool visible) {
    return CreateWindowExA(0, "Static", "w", WS_OVERLAPPED | (visible ? WS_VISIBLE : 0), 10, 10, 100, 50, NULL, NULL,
                           GetModuleHandleA(NULL), NULL);
  }
};

TEST(ThreadWindows, OnlyVisibleEnabledBackgroundWindowsAreDisabledAndEnabledAgain) {
  ThreadWindows w;
  ASSERT_EQ(w.Front, GetForegroundWindow());
  DisableThreadWindows();
  EXPECT_TRUE(IsWindowEnabled(w.Front)) << "the foreground window is left to the box";
  EXPECT_FALSE(IsWindowEnabled(w.Plain));
  EXPECT_TRUE(IsWindowEnabled(w.Hidden));
  EXPECT_FALSE(IsWindowEnabled(w.Disabled));
  EnableThreadWindows();
  EXPECT_TRUE(IsWindowEnabled(w.Plain));
  EXPECT_TRUE(IsWindowEnabled(w.Hidden));
  EXPECT_FALSE(IsWindowEnabled(w.Disabled)) << "a window disabled before stays disabled";
  EXPECT_FALSE(IsWindowVisible(w.Hidden));
}

DWORD WINAPI EnableFromOtherThread(void*) {
  EnableThreadWindows();
  return 0;
}

TEST(ThreadWindows, AnotherThreadEnablesNothingOfThisOne) {
  ThreadWindows w;
  DisableThreadWindows();
  HANDLE t = CreateThread(NULL, 0, EnableFromOtherThread, NULL, 0, NULL);
  WaitForSingleObject(t, 5000);
  CloseHandle(t);
  EXPECT_FALSE(IsWindowEnabled(w.Plain));
  EnableThreadWindows();
  EXPECT_TRUE(IsWindowEnabled(w.Plain));
}

TEST(MessageBox, IsOwnedByOurForegroundWindowAndRestoresTheOthers) {
  ThreadWindows w;
  ASSERT_EQ(w.Front, ModalOwnerWindow());
  DialogWatcher watcher;
  HWND owner = NULL;
  std::string caption;
  bool plainEnabled = true;
  watcher.Start([&](HWND box) {
    owner = GetWindow(box, GW_OWNER);
    char text[128] = "";
    GetWindowTextA(box, text, sizeof(text));
    caption = text;
    plainEnabled = IsWindowEnabled(w.Plain) != 0;
    Press(box, IDOK);
  });
  int result = ShowMessageBox("Informationen", "Velkaro 1.0.1", MB_ICONINFORMATION);
  ASSERT_TRUE(watcher.Found);
  EXPECT_EQ(IDOK, result);
  EXPECT_EQ(w.Front, owner);
  EXPECT_EQ("Informationen", caption);
  EXPECT_FALSE(plainEnabled) << "a window behind the box took input";
  EXPECT_TRUE(IsWindowEnabled(w.Plain));
  EXPECT_TRUE(IsWindowEnabled(w.Front));
  EXPECT_FALSE(IsWindowEnabled(w.Disabled));
}

}  // namespace
