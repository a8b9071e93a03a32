// Where window messages become events for the main loop. The window procedure
// fills CurrentEventSlot or appends to PendingEvents; WaitForEvent hands out one
// event per call and copies it into UiEvent.
#pragma once

#include <windows.h>
#include <stdint.h>

struct UiEventRecord {
  int32_t Kind;
  int32_t Item;
  int32_t Detail;
};

// The event that the last wait returned.
extern UiEventRecord UiEvent;

void SetCurrentEvent(int32_t kind, int32_t item, int32_t detail);
// A request equal to the one at the tail of the queue counts once.
void AppendPendingEvent(int32_t kind, int32_t windowNumber);
size_t PendingEventCount();

int32_t WaitForEvent(DWORD timeout);
