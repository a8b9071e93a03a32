// Keeps the harness desktop alive for the whole test run (Wine closes a desktop
// that no program uses) and tells the harness when the Start button has a size.
#include <windows.h>
#include <stdio.h>

int main(int argc, char** argv) {
  if (argc < 2) return 2;
  for (int i = 0; i < 900; ++i) {
    HWND tray = FindWindowA("Shell_TrayWnd", NULL);
    HWND button = tray ? FindWindowExA(tray, NULL, "Button", NULL) : NULL;
    RECT r = {};
    if (button && GetWindowRect(button, &r) && r.right > r.left && r.bottom > r.top) {
      FILE* f = fopen(argv[1], "w");
      if (!f) return 3;
      fprintf(f, "%ld,%ld-%ld,%ld\n", r.left, r.top, r.right, r.bottom);
      fclose(f);
      for (;;) Sleep(60000);
    }
    Sleep(100);
  }
  return 1;
}
