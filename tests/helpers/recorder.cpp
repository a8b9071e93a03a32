// Stands in for the user's program: records how it was started. Its first act is to
// read the performance counter, so that a benchmark can time a press to its start.
// Writes record-<pid>.txt into the folder named by VELKARO_RECORD_DIR (or, when
// that is unset, into its current directory): counter, command line, current directory.
#include <windows.h>
#include <stdio.h>

int main() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  char folder[MAX_PATH] = "";
  DWORD n = GetEnvironmentVariableA("VELKARO_RECORD_DIR", folder, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) GetCurrentDirectoryA(MAX_PATH, folder);
  char cwd[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, cwd);
  char path[MAX_PATH + 64];
  wsprintfA(path, "%s\\record-%lu.txt", folder, GetCurrentProcessId());
  // Written under another name first, so that a reader never sees half a record.
  char partial[MAX_PATH + 80];
  wsprintfA(partial, "%s.part", path);
  FILE* f = fopen(partial, "wb");
  if (!f) return 1;
  fprintf(f, "%lld\n%s\n%s\n", static_cast<long long>(now.QuadPart), GetCommandLineA(), cwd);
  fclose(f);
  return MoveFileA(partial, path) ? 0 : 1;
}
