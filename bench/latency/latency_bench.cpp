// Press-to-start latency: from a left press on the Start button to the first
// instruction of the configured program, against the floor of starting that same
// program directly. The recorder reads the performance counter first thing, and
// Wine's counter is one clock for all processes, so the two readings compare.
#include <windows.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

const int Samples = 20;
const DWORD RecordTimeoutMs = 5000;
// Lets the previous recorder finish and the desktop settle, so that presses do not overlap.
const DWORD PauseMs = 300;

LARGE_INTEGER Frequency;

double Ms(LONGLONG from, LONGLONG to) { return (to - from) * 1000.0 / Frequency.QuadPart; }

LONGLONG Now() {
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return t.QuadPart;
}

// Run from the build tree without a test environment: <build>\bench\latency\latency_bench.exe.
void DefaultPathsFromOwnLocation() {
  if (!TestEnv("VELKARO_BIN").empty() && !TestEnv("VELKARO_EXE").empty()) return;
  char self[MAX_PATH] = "";
  GetModuleFileNameA(NULL, self, MAX_PATH);
  std::string build = self;
  for (int up = 0; up < 3; ++up) build = build.substr(0, build.find_last_of("\\/"));
  if (TestEnv("VELKARO_BIN").empty()) SetEnvironmentVariableA("VELKARO_BIN", build.c_str());
  if (TestEnv("VELKARO_EXE").empty()) SetEnvironmentVariableA("VELKARO_EXE", (build + "\\app\\Velkaro.exe").c_str());
}

std::set<std::string> RecordNames(const std::string& folder) {
  std::vector<std::string> files = RecordFiles(folder);
  std::set<std::string> names;
  for (const std::string& f : files) names.insert(f.substr(folder.size() + 1));
  return names;
}

bool ReadRecordCounter(const std::string& path, LONGLONG* counter) {
  std::string text = ReadWholeFile(path);
  if (text.empty()) return false;
  char* end = NULL;
  *counter = _strtoi64(text.c_str(), &end, 10);
  return end != text.c_str();
}

struct Figures {
  double Median;
  double Worst;
};

Figures Summarise(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  size_t n = v.size();
  Figures f = {0, 0};
  if (n == 0) return f;
  f.Median = n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
  f.Worst = v.back();
  return f;
}

void PrintSamples(const char* label, const std::vector<double>& v) {
  printf("%s:", label);
  for (double x : v) printf(" %.2f", x);
  printf("\n");
}

bool WriteSettings(const std::string& appData, const std::string& program) {
  std::string maker = appData + "\\Quorvin";
  std::string product = maker + "\\Velkaro";
  CreateDirectoryA(maker.c_str(), NULL);
  CreateDirectoryA(product.c_str(), NULL);
  std::string ini = "[Einstellungen]\r\nProgramm = " + program + "\r\nEnableParameter = 0\r\nParameter = \r\n";
  return WriteWholeFile(product + "\\Programm.ini", ini);
}

// The floor, started the way Velkaro starts the configured program.
bool StartDirectly(const std::string& program, const std::string& records, double* ms) {
  std::string line = "\"" + program + "\"";
  std::string folder = program.substr(0, program.find_last_of('\\') + 1);
  STARTUPINFOA si = {};
  si.cb = sizeof(si);
  si.dwFlags = STARTF_USESHOWWINDOW;
  si.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION pi = {};
  LONGLONG before = Now();
  if (!CreateProcessA(NULL, &line[0], NULL, NULL, FALSE, NORMAL_PRIORITY_CLASS, NULL, folder.c_str(), &si, &pi))
    return false;
  bool ended = WaitForSingleObject(pi.hProcess, RecordTimeoutMs) == WAIT_OBJECT_0;
  char name[64];
  wsprintfA(name, "\\record-%lu.txt", pi.dwProcessId);
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  LONGLONG started = 0;
  if (!ended || !ReadRecordCounter(records + name, &started)) return false;
  *ms = Ms(before, started);
  return true;
}

struct PressBench {
  std::string Records;
  POINT Centre;
  std::vector<double> Results;
  std::vector<double> SendInputMs;
  int MenusOpened = 0;

  PressBench(const std::string& records, POINT centre) : Records(records), Centre(centre) {}

  void Once() {
    std::set<std::string> before = RecordNames(Records);
    MoveCursorTo(Centre);
    // Read before the call: SendInput may return only after the hook has run.
    LONGLONG pressed = Now();
    SendMouseButton(MOUSEEVENTF_LEFTDOWN);
    LONGLONG returned = Now();
    SendMouseButton(MOUSEEVENTF_LEFTUP);
    std::string fresh;
    bool seen = WaitUntil(
        [&] {
          for (const std::string& name : RecordNames(Records))
            if (!before.count(name)) {
              fresh = name;
              return true;
            }
          return false;
        },
        RecordTimeoutMs);
    LONGLONG started = 0;
    if (seen && ReadRecordCounter(Records + "\\" + fresh, &started)) {
      Results.push_back(Ms(pressed, started));
      SendInputMs.push_back(Ms(pressed, returned));
    }
    if (StartMenuOpen()) {
      ++MenusOpened;
      CloseStartMenu();
    }
    WaitUntil([] { return false; }, PauseMs);
  }
};

struct DirectBench {
  std::string Program;
  std::string Records;
  std::vector<double> Results;

  DirectBench(const std::string& program, const std::string& records) : Program(program), Records(records) {}

  void Once() {
    // Inherited by the child, as Velkaro's child inherits it from Velkaro.
    SetEnvironmentVariableA("VELKARO_RECORD_DIR", Records.c_str());
    double ms = 0;
    if (StartDirectly(Program, Records, &ms)) Results.push_back(ms);
    WaitUntil([] { return false; }, PauseMs);
  }
};

}  // namespace

int main(int argc, char** argv) {
  bool interleave = argc > 1 && lstrcmpA(argv[1], "--interleave") == 0;
  if (argc > 2 || (argc == 2 && !interleave)) {
    printf("usage: latency_bench [--interleave]\n");
    return 2;
  }
  setvbuf(stdout, NULL, _IONBF, 0);
  QueryPerformanceFrequency(&Frequency);
  DefaultPathsFromOwnLocation();
  std::string recorder = TestBinaryPath("tests\\helpers\\recorder.exe");
  if (!FileExists(VelkaroExePath()) || !FileExists(recorder)) {
    printf("latency: missing %s or %s; build the project first\n", VelkaroExePath().c_str(), recorder.c_str());
    return 2;
  }

  TempFolder appData;
  TempFolder pressRecords;
  TempFolder floorRecords;
  if (!WriteSettings(appData.Path, recorder)) {
    printf("latency: cannot write the settings file under %s\n", appData.Path.c_str());
    return 1;
  }

  VelkaroRun velkaro;
  std::string extraEnv = "VELKARO_RECORD_DIR=" + pressRecords.Path;
  if (!velkaro.Start(appData.Path.c_str(), NULL, extraEnv.c_str()) || !velkaro.WaitForWindow() ||
      !velkaro.WaitForIdle()) {
    printf("latency: Velkaro did not come up\n");
    return 1;
  }
  RECT button = StartButtonRect();
  if (button.right <= button.left || button.bottom <= button.top) {
    printf("latency: no Start button on this desktop\n");
    return 1;
  }
  POINT centre = Centre(button);

  PressBench press(pressRecords.Path, centre);
  DirectBench direct(recorder, floorRecords.Path);
  if (interleave) {
    // Alternating shares the machine's changing load out evenly between the two.
    for (int i = 0; i < Samples && velkaro.IsRunning(); ++i) {
      press.Once();
      direct.Once();
    }
  } else {
    for (int i = 0; i < Samples && velkaro.IsRunning(); ++i) press.Once();
    for (int i = 0; i < Samples; ++i) direct.Once();
  }
  const std::vector<double>& pressMs = press.Results;
  const std::vector<double>& floorMs = direct.Results;
  const std::vector<double>& sendInputMs = press.SendInputMs;
  int missed = Samples - static_cast<int>(pressMs.size());
  int floorFailed = Samples - static_cast<int>(floorMs.size());
  int menusOpened = press.MenusOpened;

  bool closed = velkaro.PostClose();
  DWORD exitCode = 259;
  bool exited = closed && velkaro.WaitForExit(10000, &exitCode);

  Figures pressStats = Summarise(pressMs);
  Figures floorStats = Summarise(floorMs);
  Figures callStats = Summarise(sendInputMs);
  PrintSamples("press -> start, ms", pressMs);
  PrintSamples("direct start,   ms", floorMs);
  printf("\n%-34s %10s %10s %8s\n", "", "median ms", "worst ms", "samples");
  printf("%-34s %10.2f %10.2f %5zu/%d\n", "Start button press -> start", pressStats.Median, pressStats.Worst, pressMs.size(),
         Samples);
  printf("%-34s %10.2f %10.2f %5zu/%d\n", "CreateProcessA -> start (floor)", floorStats.Median, floorStats.Worst,
         floorMs.size(), Samples);
  printf("%-34s %10.2f %10.2f\n", "(SendInput of the press returned)", callStats.Median, callStats.Worst);
  double added = pressStats.Median - floorStats.Median;
  bool complete = missed == 0 && floorFailed == 0 && !pressMs.empty();
  printf("\norder: %s\n", interleave ? "press and direct start alternating" : "20 presses, then 20 direct starts");
  printf("median(Velkaro) - median(floor) = %.2f ms; goal: <= 10 ms -> %s\n", added,
         !complete ? "incomplete" : (added <= 10.0 ? "met" : "NOT met"));
  if (missed) printf("presses without a start within %lu ms: %d\n", RecordTimeoutMs, missed);
  if (floorFailed) printf("direct starts that failed: %d\n", floorFailed);
  if (menusOpened) printf("presses that opened the Start menu: %d\n", menusOpened);
  if (exited)
    printf("Velkaro closed by WM_CLOSE, exit code %lu\n", exitCode);
  else
    printf("Velkaro did not exit within 10 s of WM_CLOSE\n");
  return complete && exited && exitCode == 0 ? 0 : 1;
}
