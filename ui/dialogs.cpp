#include "ui/dialogs.h"

#include <commdlg.h>

#include <stddef.h>
#include <string.h>

namespace {

// Windows disabled by DisableThreadWindows, newest first, each with its thread.
struct DisabledWindow {
  DWORD ThreadId;
  HWND Window;
  DisabledWindow* Next;
};
DisabledWindow* DisabledWindowList = NULL;

// The record without the fields added for Windows 2000, so the dialog runs on older systems too.
#if defined(__i386__)
static_assert(offsetof(OPENFILENAMEA, pvReserved) == 76, "32-bit OPENFILENAMEA of the first version");
#endif

const DWORD ChooserFlags = OFN_EXPLORER | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
const size_t FileNameBufferSize = MAX_PATH;

BOOL CALLBACK DisableIfOurs(HWND window, LPARAM) {
  if (GetWindowThreadProcessId(window, NULL) == GetCurrentThreadId() && IsWindowVisible(window) &&
      IsWindowEnabled(window) && window != GetForegroundWindow()) {
    DisabledWindow* entry = static_cast<DisabledWindow*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(DisabledWindow)));
    if (entry) {
      EnableWindow(window, FALSE);
      entry->ThreadId = GetCurrentThreadId();
      entry->Window = window;
      entry->Next = DisabledWindowList;
      DisabledWindowList = entry;
    }
  }
  return TRUE;
}

bool IsValidFileName(const char* name) {
  if (!name[0]) return false;
  for (const char* p = name; *p; ++p) {
    unsigned char c = static_cast<unsigned char>(*p);
    if (c < 32 || strchr("\"\\/:*?<>|", c)) return false;
  }
  return true;
}

char* ZeroedCopy(const char* text, size_t extra) {
  size_t n = strlen(text);
  char* copy = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, n + extra));
  if (copy) memcpy(copy, text, n);
  return copy;
}

void Free(void* p) {
  if (p) HeapFree(GetProcessHeap(), 0, p);
}

}  // namespace

HWND ModalOwnerWindow() {
  HWND foreground = GetForegroundWindow();
  if (!foreground) return NULL;
  DWORD process = 0;
  GetWindowThreadProcessId(foreground, &process);
  return process == GetCurrentProcessId() ? foreground : NULL;
}

void DisableThreadWindows() { EnumWindows(DisableIfOurs, 0); }

void EnableThreadWindows() {
  DWORD thread = GetCurrentThreadId();
  DisabledWindow** link = &DisabledWindowList;
  while (*link) {
    DisabledWindow* entry = *link;
    if (entry->ThreadId == thread) {
      EnableWindow(entry->Window, TRUE);
      *link = entry->Next;
      HeapFree(GetProcessHeap(), 0, entry);
    } else {
      link = &entry->Next;
    }
  }
}

int ShowMessageBox(const char* caption, const char* text, UINT flags) {
  DisableThreadWindows();
  int result = MessageBoxA(ModalOwnerWindow(), text, caption, flags);
  EnableThreadWindows();
  return result;
}

std::string ChooseFileToOpen(const char* title, const char* initialPath, const char* filter, int filterIndex) {
  char* fileName = static_cast<char*>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, FileNameBufferSize));
  if (!fileName) return std::string();
  char* filterList = ZeroedCopy(filter ? filter : "", 2);
  if (!filterList) {
    Free(fileName);
    return std::string();
  }
  for (char* p = filterList; *p; ++p)
    if (*p == '|') *p = '\0';

  char* initialFolder = NULL;
  if (initialPath) {
    initialFolder = ZeroedCopy(initialPath, 2);
    if (initialFolder) {
      char* cut = strrchr(initialFolder, '\\');
      if (cut && cut != initialFolder) {
        lstrcpynA(fileName, cut + 1, static_cast<int>(FileNameBufferSize));
        *cut = '\0';
      } else {
        lstrcpynA(fileName, initialFolder, static_cast<int>(FileNameBufferSize));
        initialFolder[0] = '\0';
      }
      if (!IsValidFileName(fileName)) fileName[0] = '\0';
    }
  }

  OPENFILENAMEA ofn = {};
  ofn.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  ofn.hwndOwner = ModalOwnerWindow();
  ofn.lpstrFilter = filterList;
  ofn.nFilterIndex = static_cast<DWORD>(filterIndex + 1);
  ofn.lpstrFile = fileName;
  ofn.nMaxFile = static_cast<DWORD>(FileNameBufferSize);
  ofn.lpstrInitialDir = initialFolder;
  ofn.lpstrTitle = title;
  ofn.Flags = ChooserFlags;

  DisableThreadWindows();
  BOOL chosen = GetOpenFileNameA(&ofn);
  EnableThreadWindows();

  Free(filterList);
  Free(initialFolder);
  std::string result = chosen ? std::string(fileName) : std::string();
  Free(fileName);
  return result;
}
