// The real Velkaro.exe in the harness desktop: its window, the Start button
// takeover through real input, hiding on minimize and the ways it ends.
#include <gtest/gtest.h>

#include "tests/e2e/e2e_support.h"

namespace {

const char Title[] = "Velkaro 1.0.1";

class SpineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseStartMenu();
    StartObservingMouse();
  }
  void TearDown() override {
    StopObservingMouse();
    CloseStartMenu();
  }

  // Velkaro running with its own settings folder, start-up finished.
  void StartVelkaro() {
    ASSERT_TRUE(run.Start(appData.Path.c_str()));
    ASSERT_TRUE(run.WaitForWindow());
    ASSERT_TRUE(run.WaitForIdle());
  }

  void ExpectCleanExit() {
    DWORD code = 12345;
    ASSERT_TRUE(run.WaitForExit(15000, &code));
    EXPECT_EQ(0u, code);
  }

  TempFolder appData;
  VelkaroRun run;
};

TEST_F(SpineTest, WindowIsVisibleCentredFixedAndTitled) {
  StartVelkaro();
  char title[64] = "";
  GetWindowTextA(run.Window, title, sizeof(title));
  EXPECT_STREQ(Title, title);

  RECT client = {};
  GetClientRect(run.Window, &client);
  EXPECT_EQ(350, client.right - client.left);
  EXPECT_EQ(190, client.bottom - client.top);

  RECT outer = {};
  GetWindowRect(run.Window, &outer);
  int w = outer.right - outer.left, h = outer.bottom - outer.top;
  EXPECT_EQ((GetSystemMetrics(SM_CXSCREEN) - w) / 2, outer.left);
  EXPECT_EQ((GetSystemMetrics(SM_CYSCREEN) - h) / 2, outer.top);

  LONG style = GetWindowLongA(run.Window, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
  EXPECT_FALSE(style & WS_MAXIMIZEBOX) << "maximizable";
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_EQ(0, GetWindowLongA(run.Window, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE);

  ASSERT_TRUE(run.PostClose());
  ExpectCleanExit();
}

TEST_F(SpineTest, StartButtonPressIsSwallowedOnlyWhileVelkaroRuns) {
  POINT start = Centre(StartButtonRect());
  ASSERT_GT(start.x, 0);

  // Without Velkaro the same press opens the shell's Start menu: the check below can fail.
  ClickAt(start);
  ASSERT_TRUE(WaitUntil(StartMenuOpen, 5000)) << "the Start menu did not open without Velkaro";
  CloseStartMenu();
  ASSERT_FALSE(StartMenuOpen());

  StartVelkaro();
  ObservedMouse().clear();
  ClickAt(start);
  // The release comes after the press through the same chain: once it is seen, the press was decided.
  ASSERT_TRUE(WaitUntil([start] { return Observed(WM_LBUTTONUP, start); }, 5000)) << "release swallowed";
  EXPECT_FALSE(Observed(WM_LBUTTONDOWN, start)) << "press passed on";
  EXPECT_FALSE(WaitUntil(StartMenuOpen, 1500)) << "the Start menu opened while Velkaro runs";
  // With no program set, the press brings up Velkaro's notice instead.
  HWND notice = NULL;
  ASSERT_TRUE((notice = WaitForDialog(run.Process.dwProcessId)) != NULL);
  ASSERT_TRUE(DismissWithEnter(notice));
  // The click branch ends by bringing the window forward; let it finish before the next press.
  ASSERT_TRUE(WaitUntil([this] { return IsWindowVisible(run.Window) && GetForegroundWindow() == run.Window; }, 5000));
  ASSERT_TRUE(run.WaitForIdle());

  // A right press on the Start button is passed on.
  PressAt(start, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitUntil([start] { return Observed(WM_RBUTTONDOWN, start); }, 5000));
  CloseStartMenu();

  ASSERT_TRUE(run.PostClose());
  ExpectCleanExit();
}

TEST_F(SpineTest, PressesElsewhereReachTheirWindowAndTheOtherHooks) {
  StartVelkaro();
  PressTarget target;
  ASSERT_TRUE(target.Open(40, 40, 200, 150));
  POINT inside = {140, 115};

  ClickAt(inside);
  EXPECT_TRUE(WaitUntil([&] { return target.Received.size() >= 2; }, 5000));
  PressAt(inside, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitUntil([&] { return target.Received.size() >= 3; }, 5000));
  ASSERT_GE(target.Received.size(), 3u);
  EXPECT_EQ(static_cast<UINT>(WM_LBUTTONDOWN), target.Received[0]);
  EXPECT_EQ(static_cast<UINT>(WM_LBUTTONUP), target.Received[1]);
  EXPECT_EQ(static_cast<UINT>(WM_RBUTTONDOWN), target.Received[2]);
  // Hooks later in the chain see a left press that is not on the Start button.
  EXPECT_TRUE(Observed(WM_LBUTTONDOWN, inside));
  EXPECT_TRUE(Observed(WM_RBUTTONDOWN, inside));

  ASSERT_TRUE(run.PostClose());
  ExpectCleanExit();
}

TEST_F(SpineTest, MinimizingHidesTheWindowAndItsTaskbarButton) {
  StartVelkaro();
  int withWindow = VisibleTaskbarButtons();
  ASSERT_GE(withWindow, 2) << "no taskbar button beside the Start button";
  PostMessageA(run.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(WaitUntil([this] { return !IsWindowVisible(run.Window); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return VisibleTaskbarButtons() == withWindow - 1; }, 5000)) << "taskbar button left";
  EXPECT_TRUE(run.IsRunning());
  ASSERT_TRUE(run.PostClose());
  ExpectCleanExit();
}

// The caption's close button, found by asking the window where it is.
POINT CloseButtonOf(HWND w) {
  RECT r = {};
  GetWindowRect(w, &r);
  for (int y = r.top + 2; y < r.top + 40; ++y)
    for (int x = r.right - 2; x > r.right - 80; --x)
      if (SendMessageA(w, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTCLOSE) {
        POINT p = {x - 3, y + 3};
        return p;
      }
  POINT none = {-1, -1};
  return none;
}

TEST_F(SpineTest, EveryWayOfClosingEndsWithExitCodeZero) {
  const char* ways[] = {"close button", "Alt+F4", "WM_CLOSE from another process"};
  for (const char* way : ways) {
    SCOPED_TRACE(way);
    TempFolder folder;
    VelkaroRun velkaro;
    ASSERT_TRUE(velkaro.Start(folder.Path.c_str()));
    ASSERT_TRUE(velkaro.WaitForWindow());
    ASSERT_TRUE(velkaro.WaitForIdle());
    if (way == ways[0]) {
      POINT button = CloseButtonOf(velkaro.Window);
      ASSERT_GE(button.x, 0) << "no close button found";
      ClickAt(button);
    } else if (way == ways[1]) {
      RECT client = {};
      GetWindowRect(velkaro.Window, &client);
      ClickAt(Centre(client));
      ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == velkaro.Window; }, 5000));
      SendKey(VK_MENU, false);
      SendKey(VK_F4, false);
      SendKey(VK_F4, true);
      SendKey(VK_MENU, true);
    } else {
      ASSERT_TRUE(velkaro.PostClose());
    }
    DWORD code = 12345;
    ASSERT_TRUE(velkaro.WaitForExit(15000, &code));
    EXPECT_EQ(0u, code);
  }
}

TEST_F(SpineTest, WithoutTaskbarItRunsAndSwallowsNothing) {
  // A desktop of its own has no shell, so no taskbar and no Start button.
  HDESK desk = CreateDesktopA("velkaro-plain", NULL, NULL, 0, GENERIC_ALL, NULL);
  ASSERT_TRUE(desk != NULL);
  ASSERT_TRUE(run.Start(appData.Path.c_str(), NULL, NULL, "velkaro-plain"));
  ASSERT_TRUE(run.WaitForIdle());
  EXPECT_TRUE(run.IsRunning());

  // Meanwhile the Start button of the harness desktop still belongs to the shell.
  POINT start = Centre(StartButtonRect());
  ClickAt(start);
  EXPECT_TRUE(WaitUntil(StartMenuOpen, 5000));
  CloseStartMenu();

  HWND window = NULL;
  WaitUntil([&] { return (window = FindDesktopWindow(desk, run.Process.dwProcessId)) != NULL; }, 10000);
  ASSERT_TRUE(window != NULL);
  PostMessageA(window, WM_CLOSE, 0, 0);
  ExpectCleanExit();
  CloseDesktop(desk);
}

}  // namespace
