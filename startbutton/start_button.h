// Taking the Start button from the shell: find its window once, and a global
// low-level mouse hook that swallows left presses on it and records them in
// App.StartButtonClicked for the main loop.
#pragma once

#include <windows.h>

void LocateStartButton();
void InstallMouseHook();
LRESULT CALLBACK MouseHookProc(int nCode, WPARAM wParam, LPARAM lParam);
