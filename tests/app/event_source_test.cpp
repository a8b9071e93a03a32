// The event source and the main loop inside this test process, with the real main
// window, real messages and the real Start button hook.
#include <gtest/gtest.h>

#include "app/app_state.h"
#include "app/event_source.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "startbutton/start_button.h"
#include "tests/e2e/e2e_support.h"

namespace {

class EventSourceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    App = AppState();
    ASSERT_TRUE(OpenMainWindow("event source test") != NULL);
    Drain();
  }
  void TearDown() override {
    Drain();
    DestroyMainWindow();
  }
  // Hands out whatever is left so that one test's events never reach the next.
  void Drain() {
    for (int i = 0; i < 200 && (PendingEventCount() > 0 || WaitForEvent(1) != NoEvent); ++i) {
    }
    while (PendingEventCount() > 0) WaitForEvent(1);
  }
};

TEST_F(EventSourceTest, CloseAndMinimizeAreQueuedAndARepeatCountsOnce) {
  SendMessageA(App.MainWindow, WM_CLOSE, 0, 0);
  SendMessageA(App.MainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(1u, PendingEventCount());
  SendMessageA(App.MainWindow, WM_SIZE, SIZE_MINIMIZED, 0);
  SendMessageA(App.MainWindow, WM_SIZE, SIZE_RESTORED, 0);
  SendMessageA(App.MainWindow, WM_SIZE, SIZE_MINIMIZED, 0);
  SendMessageA(App.MainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(3u, PendingEventCount());
  EXPECT_TRUE(IsWindow(App.MainWindow)) << "a close request destroyed the window";

  EXPECT_EQ(CloseEvent, WaitForEvent(10));
  EXPECT_EQ(-1, UiEvent.Detail);
  EXPECT_EQ(MinimizeEvent, WaitForEvent(10));
  EXPECT_EQ(CloseEvent, WaitForEvent(10));
  EXPECT_EQ(NoEvent, WaitForEvent(10));
}

TEST_F(EventSourceTest, AQueuedEventIsHandedOutBeforeTheNextMessageIsRetrieved) {
  PostMessageA(App.MainWindow, WM_COMMAND, 4, 0);
  SendMessageA(App.MainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(CloseEvent, WaitForEvent(10));
  MSG msg;
  EXPECT_TRUE(PeekMessageA(&msg, App.MainWindow, WM_COMMAND, WM_COMMAND, PM_NOREMOVE)) << "message taken too early";
  EXPECT_EQ(MenuEvent, WaitForEvent(10));
  EXPECT_EQ(4, UiEvent.Item);
  EXPECT_EQ(-1, UiEvent.Detail);
}

TEST_F(EventSourceTest, APostedCloseEndsTheLoopOnTheSameWait) {
  PostMessageA(App.MainWindow, WM_CLOSE, 0, 0);
  EXPECT_EQ(CloseEvent, WaitForEvent(10));
  // The procedure queued one as well; the loop would never reach it.
  EXPECT_EQ(1u, PendingEventCount());
}

TEST_F(EventSourceTest, CommandsBecomeControlAndMenuEvents) {
  HWND button = CreateWindowExA(0, "Button", "b", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, App.MainWindow,
                                reinterpret_cast<HMENU>(5), GetModuleHandleA(NULL), NULL);
  ASSERT_TRUE(button != NULL);
  // Painted now, so that no WM_PAINT is left to retrieve.
  RedrawWindow(App.MainWindow, NULL, NULL, RDW_UPDATENOW | RDW_ALLCHILDREN);
  PostMessageA(App.MainWindow, WM_COMMAND, MAKEWPARAM(5, EN_SETFOCUS), reinterpret_cast<LPARAM>(button));
  EXPECT_EQ(ControlEvent, WaitForEvent(10));
  EXPECT_EQ(5, UiEvent.Item);
  EXPECT_EQ(EN_SETFOCUS, UiEvent.Detail);

  // From the accelerator table with a command that is not navigation: a menu event.
  PostMessageA(App.MainWindow, WM_COMMAND, MAKEWPARAM(3, 1), 0);
  EXPECT_EQ(MenuEvent, WaitForEvent(10));
  EXPECT_EQ(3, UiEvent.Item);

  // A timeout leaves the last event as it was.
  EXPECT_EQ(NoEvent, WaitForEvent(10));
  EXPECT_EQ(MenuEvent, UiEvent.Kind);
  EXPECT_EQ(3, UiEvent.Item);
  DestroyWindow(button);
}

TEST_F(EventSourceTest, AMessageThatRaisesNoEventGivesItsOwnNumber) {
  PostMessageA(App.MainWindow, WM_NULL + 0x0401, 0, 0);
  EXPECT_EQ(0x0401, WaitForEvent(10));
  EXPECT_EQ(NoEvent, WaitForEvent(10));
}

TEST_F(EventSourceTest, TabAndShiftTabWalkTheTabStopsAndWrap) {
  HWND stops[3];
  for (int i = 0; i < 3; ++i)
    stops[i] = CreateWindowExA(0, "Button", "s", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, i * 20, 10, 10,
                               App.MainWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(10 + i)),
                               GetModuleHandleA(NULL), NULL);
  HWND plain = CreateWindowExA(0, "Static", "p", WS_CHILD | WS_VISIBLE, 0, 80, 10, 10, App.MainWindow, NULL,
                               GetModuleHandleA(NULL), NULL);
  SetForegroundWindow(App.MainWindow);
  SetActiveWindow(App.MainWindow);
  ASSERT_EQ(App.MainWindow, GetActiveWindow());
  SetFocus(App.MainWindow);

  FocusNextControl();
  EXPECT_EQ(stops[0], GetFocus()) << "Tab with no control focused";
  FocusNextControl();
  EXPECT_EQ(stops[1], GetFocus());
  EnableWindow(stops[2], FALSE);
  FocusNextControl();
  EXPECT_EQ(stops[0], GetFocus()) << "disabled stop not skipped, or no wrap";
  FocusPreviousControl();
  EXPECT_EQ(stops[1], GetFocus()) << "Shift+Tab from the first does not wrap to the last";
  FocusPreviousControl();
  EXPECT_EQ(stops[0], GetFocus());
  for (HWND w : stops) DestroyWindow(w);
  DestroyWindow(plain);
}

TEST(MainLoop, TwoPressesBeforeThePassStartTheProgramOnce) {
  App = AppState();
  ASSERT_TRUE(OpenMainWindow("loop test") != NULL);
  TempFolder records;
  SetEnvironmentVariableA("VELKARO_RECORD_DIR", records.Path.c_str());
  App.ProgramPath = TestBinaryPath("tests\\helpers\\recorder.exe");

  StartObservingMouse();
  LocateStartButton();
  InstallMouseHook();
  ASSERT_TRUE(App.MouseHookHandle != NULL);
  POINT start = Centre(StartButtonRect());
  MoveCursorTo(start);
  for (int i = 0; i < 2; ++i) {
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    SendMouseButton(MOUSEEVENTF_LEFTUP);
  }
  // This thread pumps, so the hook runs, but no loop pass does.
  ASSERT_TRUE(WaitUntil(
      [start] {
        int ups = 0;
        for (const ObservedMouseEvent& e : ObservedMouse())
          if (e.Message == WM_LBUTTONUP && e.At.x == start.x && e.At.y == start.y) ++ups;
        return ups == 2;
      },
      5000));
  EXPECT_FALSE(Observed(WM_LBUTTONDOWN, start)) << "a press was passed on";
  EXPECT_EQ(1, App.StartButtonClicked);

  EXPECT_TRUE(RunMainLoopPass());
  EXPECT_EQ(0, App.StartButtonClicked);
  auto count = [&] { return RecordFiles(records.Path).size(); };
  EXPECT_TRUE(WaitUntil([&] { return count() == 1u; }, 10000));
  for (int i = 0; i < 50; ++i) RunMainLoopPass();
  EXPECT_FALSE(WaitUntil([&] { return count() > 1u; }, 1000)) << "started more than once";

  UnhookWindowsHookEx(App.MouseHookHandle);
  StopObservingMouse();
  SetEnvironmentVariableA("VELKARO_RECORD_DIR", NULL);
  DestroyMainWindow();
}

}  // namespace
