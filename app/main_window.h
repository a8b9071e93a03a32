// The settings window: opening it, its procedure (which only turns messages into
// events), showing and hiding it, and tearing it down at shutdown.
#pragma once

#include <windows.h>

const char MainWindowClassName[] = "VelkaroMainWindow";
const int MainClientWidth = 350;
const int MainClientHeight = 190;

// Accelerator commands for keyboard navigation between the controls.
const WORD FocusNextCommand = 64001;
const WORD FocusPreviousCommand = 64002;

HWND OpenMainWindow(const char* title);
void ShowMainWindow();
void HideMainWindow();
void DestroyMainWindow();
// The Tab and Shift+Tab table of the open window; null while none is open.
HACCEL MainWindowAccelerators();

// Tab and Shift+Tab among the active window's tab stops, wrapping at both ends.
void FocusNextControl();
void FocusPreviousControl();
