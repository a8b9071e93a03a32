#include "app/event_source.h"

#include <deque>

#include "app/app_state.h"
#include "app/main_window.h"

UiEventRecord UiEvent = {NoEvent, 0, -1};

namespace {

struct PendingEvent {
  int32_t Kind;
  int32_t WindowNumber;
};

UiEventRecord CurrentEventSlot = {NoEvent, 0, -1};
std::deque<PendingEvent> PendingEvents;

const DWORD AllInputMask = 0x1FF;

}  // namespace

void SetCurrentEvent(int32_t kind, int32_t item, int32_t detail) {
  CurrentEventSlot.Kind = kind;
  CurrentEventSlot.Item = item;
  CurrentEventSlot.Detail = detail;
}

void AppendPendingEvent(int32_t kind, int32_t windowNumber) {
  if (!PendingEvents.empty()) {
    const PendingEvent& tail = PendingEvents.back();
    if (tail.Kind == kind && tail.WindowNumber == windowNumber) return;
  }
  PendingEvents.push_back(PendingEvent{kind, windowNumber});
}

size_t PendingEventCount() { return PendingEvents.size(); }

int32_t WaitForEvent(DWORD timeout) {
  UiEventRecord live = {NoEvent, 0, -1};

  if (!PendingEvents.empty()) {
    live.Kind = PendingEvents.front().Kind;
    live.Item = PendingEvents.front().WindowNumber;
    PendingEvents.pop_front();
    UiEvent = live;
    return live.Kind;
  }

  MSG msg;
  if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) {
    if (MsgWaitForMultipleObjects(0, NULL, FALSE, timeout, AllInputMask) == WAIT_TIMEOUT) return NoEvent;
    if (!PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE | PM_NOYIELD)) return NoEvent;
  }

  bool translated = false;
  HACCEL keys = MainWindowAccelerators();
  if (App.MainWindow && GetActiveWindow() == App.MainWindow && keys)
    translated = TranslateAcceleratorA(App.MainWindow, keys, &msg) != 0;
  if (!translated) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }

  if (CurrentEventSlot.Kind != NoEvent) {
    live = CurrentEventSlot;
    CurrentEventSlot.Kind = NoEvent;
  } else {
    live.Kind = static_cast<int32_t>(msg.message);
  }
  UiEvent = live;
  return live.Kind;
}
