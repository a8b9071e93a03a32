// The two modal interactions: a message box with one OK button and the standard
// open-file dialog. Around each, the thread's other visible windows are disabled
// and enabled again afterwards, so nothing behind the box takes input.
#pragma once

#include <windows.h>

#include <string>

int ShowMessageBox(const char* caption, const char* text, UINT flags);

// filter: pairs of name and pattern, all separated by "|"; filterIndex is 0-based.
// Returns the chosen path, or empty when the user cancelled or the dialog failed.
std::string ChooseFileToOpen(const char* title, const char* initialPath, const char* filter, int filterIndex);

// The foreground window when it belongs to this process, else none.
HWND ModalOwnerWindow();
void DisableThreadWindows();
void EnableThreadWindows();
