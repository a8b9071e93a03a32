// A press on the Start button of the harness desktop, with the real Velkaro.exe:
// the configured program starts in its own folder with its parameters, a document
// is opened by the shell, and without a program the notice appears.
#include <gtest/gtest.h>

#include <vector>

#include "tests/e2e/e2e_support.h"

namespace {

const char NoticeText[] = "Die Startbutton-Funktion wurde noch nicht im Programm festgelegt.";

struct Record {
  std::string CommandLine;
  std::string Directory;
};

Record ReadRecord(const std::string& path) {
  std::string text = ReadWholeFile(path);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  Record r;
  if (lines.size() >= 3) {
    r.CommandLine = lines[1];
    r.Directory = lines[2];
  }
  return r;
}

// A settings place, a folder with blanks holding a copy of the recorder, and a
// folder where the recorder leaves what it saw.
class LaunchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    CloseStartMenu();
    programFolder = appData.File("Mein Programm");
    CreateDirectoryA(programFolder.c_str(), NULL);
    program = programFolder + "\\rec order.exe";
    ASSERT_TRUE(CopyFileA(TestBinaryPath("tests\\helpers\\recorder.exe").c_str(), program.c_str(), FALSE));
    CreateDirectoryA(appData.File("Quorvin").c_str(), NULL);
    CreateDirectoryA(appData.File("Quorvin\\Velkaro").c_str(), NULL);
  }
  void TearDown() override { CloseStartMenu(); }

  std::string SettingsFile() const { return appData.File("Quorvin\\Velkaro\\Programm.ini"); }

  void Configure(const std::string& path, const std::string& enable, const std::string& parameters) {
    ASSERT_TRUE(WriteWholeFile(SettingsFile(), "[Einstellungen]\r\nProgramm = " + path + "\r\nEnableParameter = " +
                                                   enable + "\r\nParameter = " + parameters + "\r\n"));
  }

  void StartVelkaro(VelkaroRun& run) {
    std::string env = "VELKARO_RECORD_DIR=" + records.Path;
    ASSERT_TRUE(run.Start(appData.Path.c_str(), NULL, env.c_str()));
    ASSERT_TRUE(run.WaitForWindow());
    ASSERT_TRUE(run.WaitForIdle());
  }

  void PressStartButton() { ClickAt(Centre(StartButtonRect())); }

  bool WaitForRecords(size_t n, DWORD timeoutMs = 10000) {
    return WaitUntil([&] { return RecordFiles(records.Path).size() >= n; }, timeoutMs);
  }

  void CloseAndExpectZero(VelkaroRun& run) {
    ASSERT_TRUE(run.PostClose());
    DWORD code = 12345;
    ASSERT_TRUE(run.WaitForExit(15000, &code));
    EXPECT_EQ(0u, code);
  }

  TempFolder appData;
  TempFolder records;
  std::string programFolder;
  std::string program;
};

struct ParameterCase {
  const char* Enable;
  const char* Parameters;
  bool Passed;
};

TEST_F(LaunchTest, StartsTheProgramInItsFolderWithParametersOnlyWhenEnabled) {
  const ParameterCase cases[] = {
      {"1", "-a \"b c\"  d", true},
      {"1", "", true},
      {"0", "-x", false},
      {"2", "-x", false},
  };
  for (const ParameterCase& c : cases) {
    SCOPED_TRACE(std::string("EnableParameter ") + c.Enable + ", Parameter '" + c.Parameters + "'");
    for (const std::string& f : RecordFiles(records.Path)) DeleteFileA(f.c_str());
    Configure(program, c.Enable, c.Parameters);
    VelkaroRun run;
    StartVelkaro(run);
    PressStartButton();
    ASSERT_TRUE(WaitForRecords(1)) << "the program was not started";
    EXPECT_FALSE(WaitForRecords(2, 1000)) << "started more than once";
    Record r = ReadRecord(RecordFiles(records.Path)[0]);
    std::string expected = "\"" + program + "\"";
    if (c.Passed && c.Parameters[0]) expected += std::string(" ") + c.Parameters;
    EXPECT_EQ(expected, r.CommandLine);
    EXPECT_EQ(programFolder, r.Directory);
    EXPECT_FALSE(StartMenuOpen());
    CloseAndExpectZero(run);
  }
}

TEST_F(LaunchTest, ADocumentIsOpenedByTheShellInItsFolderWithTheParameters) {
  // A file type of the test prefix whose open command is the recorder.
  std::string command = "\"" + program + "\" \"%1\" %*";
  HKEY key;
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, ".vktest", &key));
  RegSetValueA(key, NULL, REG_SZ, "vktestfile", 10);
  RegCloseKey(key);
  ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyA(HKEY_CLASSES_ROOT, "vktestfile\\shell\\open\\command", &key));
  RegSetValueA(key, NULL, REG_SZ, command.c_str(), static_cast<DWORD>(command.size()));
  RegCloseKey(key);

  std::string docFolder = appData.File("Meine Dokumente");
  CreateDirectoryA(docFolder.c_str(), NULL);
  std::string document = docFolder + "\\Notiz eins.vktest";
  ASSERT_TRUE(WriteWholeFile(document, "Hallo"));
  Configure(document, "1", "-p 1");

  VelkaroRun run;
  StartVelkaro(run);
  PressStartButton();
  ASSERT_TRUE(WaitForRecords(1)) << "the shell did not open the document";
  Record r = ReadRecord(RecordFiles(records.Path)[0]);
  EXPECT_NE(std::string::npos, r.CommandLine.find("\"" + document + "\"")) << r.CommandLine;
  const std::string tail = " -p 1";
  ASSERT_GE(r.CommandLine.size(), tail.size());
  EXPECT_EQ(tail, r.CommandLine.substr(r.CommandLine.size() - tail.size())) << r.CommandLine;
  EXPECT_EQ(docFolder, r.Directory);
  CloseAndExpectZero(run);
  RegDeleteKeyA(HKEY_CLASSES_ROOT, "vktestfile\\shell\\open\\command");
  RegDeleteKeyA(HKEY_CLASSES_ROOT, ".vktest");
}

std::vector<std::string> ChildTexts(HWND parent) {
  std::vector<std::string> texts;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    char text[512] = "";
    GetWindowTextA(c, text, sizeof(text));
    texts.push_back(text);
  }
  return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
  for (const std::string& t : texts)
    if (t == text) return true;
  return false;
}

TEST_F(LaunchTest, WithoutAProgramTheNoticeAppearsAndTheWindowComesBack) {
  Configure("", "0", "");
  VelkaroRun run;
  StartVelkaro(run);
  // Hidden in the tray first: the notice must bring it back all the same.
  PostMessageA(run.Window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(run.Window); }, 5000));

  PressStartButton();
  HWND notice = NULL;
  ASSERT_TRUE((notice = WaitForDialog(run.Process.dwProcessId)) != NULL);
  char caption[128] = "";
  GetWindowTextA(notice, caption, sizeof(caption));
  EXPECT_STREQ("Startbutton-Funktion", caption);
  EXPECT_TRUE(Contains(ChildTexts(notice), NoticeText));
  EXPECT_TRUE(Contains(ChildTexts(notice), "OK"));
  EXPECT_FALSE(StartMenuOpen());

  // Presses while the notice is open are swallowed and then forgotten.
  PressStartButton();
  PressStartButton();
  EXPECT_FALSE(StartMenuOpen());
  ASSERT_TRUE(DismissWithEnter(notice));

  EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(run.Window) && !IsIconic(run.Window); }, 5000));
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == run.Window; }, 5000));
  EXPECT_FALSE(WaitUntil([&] { return FindProcessWindow(run.Process.dwProcessId, "#32770") != NULL; }, 1500))
      << "a press made while the notice was open was acted on";
  EXPECT_TRUE(RecordFiles(records.Path).empty());
  CloseAndExpectZero(run);
}

}  // namespace
