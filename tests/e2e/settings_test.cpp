// The settings file of the real Velkaro.exe: made at the first start, left alone at
// later starts, written back at exit and at the end of the session, and what happens
// when its place is unusable.
#include <gtest/gtest.h>

#include <functional>

#include "tests/e2e/e2e_support.h"

namespace {

const std::string DefaultFile =
    "[Einstellungen]\r\nProgramm = \r\nEnableParameter = \r\nParameter = \r\n";
const std::string SavedDefaults =
    "[Einstellungen]\r\nProgramm = \r\nEnableParameter = 0\r\nParameter = \r\n";

const std::string HandEdited =
    "; Notiz\n"
    "  [einstellungen]   ; von Hand\n"
    "programm=C:\\Tools\\app.exe\n"
    "EnableParameter=2\n"
    "\n"
    "Parameter   =   -x   \n"
    "Farbe\n"
    "[Andere]\n"
    "Wert = 5\n";
const std::string HandEditedSaved =
    "; Notiz\r\n"
    "[einstellungen]\r\n"
    "Programm = C:\\Tools\\app.exe\r\n"
    "EnableParameter = 2\r\n"
    "Parameter = -x\r\n"
    "Farbe = \r\n"
    "[Andere]\r\n"
    "Wert = 5\r\n";

struct SettingsPlace {
  TempFolder AppData;
  std::string Maker() const { return AppData.File("Quorvin"); }
  std::string Product() const { return Maker() + "\\Velkaro"; }
  std::string File() const { return Product() + "\\Programm.ini"; }
  void MakeFolders() const {
    CreateDirectoryA(Maker().c_str(), NULL);
    CreateDirectoryA(Product().c_str(), NULL);
  }
};

void StartAndWait(VelkaroRun& run, const char* appData, const char* cwd = NULL) {
  ASSERT_TRUE(run.Start(appData, cwd));
  ASSERT_TRUE(run.WaitForWindow());
  ASSERT_TRUE(run.WaitForIdle());
}

void CloseAndExpectZero(VelkaroRun& run) {
  ASSERT_TRUE(run.PostClose());
  DWORD code = 12345;
  ASSERT_TRUE(run.WaitForExit(15000, &code));
  EXPECT_EQ(0u, code);
}

FILETIME WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data = {};
  GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
  return data.ftLastWriteTime;
}

TEST(SettingsFile, FirstStartMakesTheDefaultFileAndExitSavesIt) {
  SettingsPlace place;
  {
    VelkaroRun run;
    StartAndWait(run, place.AppData.Path.c_str());
    EXPECT_TRUE(FolderExists(place.Maker()));
    EXPECT_TRUE(FolderExists(place.Product()));
    EXPECT_EQ(DefaultFile, ReadWholeFile(place.File()));
    EXPECT_EQ(64u, ReadWholeFile(place.File()).size());
    CloseAndExpectZero(run);
    EXPECT_EQ(SavedDefaults, ReadWholeFile(place.File()));
  }
  // Second start: the file is there, so start-up neither recreates nor rewrites it.
  FILETIME before = WriteTime(place.File());
  Sleep(20);  // lets a rewrite show in the write time
  VelkaroRun again;
  StartAndWait(again, place.AppData.Path.c_str());
  EXPECT_EQ(SavedDefaults, ReadWholeFile(place.File()));
  FILETIME during = WriteTime(place.File());
  EXPECT_EQ(0, CompareFileTime(&before, &during));
  CloseAndExpectZero(again);
}

TEST(SettingsFile, HandEditedFileIsLoadedAndWrittenBackInItsOrder) {
  SettingsPlace place;
  place.MakeFolders();
  ASSERT_TRUE(WriteWholeFile(place.File(), HandEdited));
  VelkaroRun run;
  StartAndWait(run, place.AppData.Path.c_str());
  EXPECT_EQ(HandEdited, ReadWholeFile(place.File())) << "rewritten at start-up";
  CloseAndExpectZero(run);
  EXPECT_EQ(HandEditedSaved, ReadWholeFile(place.File()));
}

TEST(SettingsFile, SessionEndSavesLikeAnExitAndKeepsRunning) {
  SettingsPlace place;
  place.MakeFolders();
  ASSERT_TRUE(WriteWholeFile(place.File(), HandEdited));
  VelkaroRun run;
  StartAndWait(run, place.AppData.Path.c_str());

  // Asked whether the session may end, Velkaro does not object and writes nothing.
  DWORD_PTR answer = 0;
  ASSERT_TRUE(SendMessageTimeoutA(run.Window, WM_QUERYENDSESSION, 0, 0, SMTO_NORMAL, 5000, &answer));
  EXPECT_NE(0u, answer);
  EXPECT_EQ(HandEdited, ReadWholeFile(place.File()));

  ASSERT_TRUE(SendMessageTimeoutA(run.Window, WM_ENDSESSION, TRUE, 0, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(HandEditedSaved, ReadWholeFile(place.File()));
  // No close event: the program goes on until it is closed.
  EXPECT_FALSE(WaitUntil([&] { return !run.IsRunning(); }, 500));

  // A session that does not end after all changes nothing.
  ASSERT_TRUE(WriteWholeFile(place.File(), HandEdited));
  ASSERT_TRUE(SendMessageTimeoutA(run.Window, WM_ENDSESSION, FALSE, 0, SMTO_NORMAL, 5000, &answer));
  EXPECT_EQ(HandEdited, ReadWholeFile(place.File()));
  CloseAndExpectZero(run);
}

struct BadPlace {
  const char* Name;
  std::function<void(const SettingsPlace&)> Prepare;
  std::function<void(const SettingsPlace&)> WhileRunning;
  std::function<void(const SettingsPlace&)> AfterExit;
};

TEST(SettingsFile, UnusablePlacesNeitherCrashNorHang) {
  const std::string custom = "[Einstellungen]\r\nProgramm = C:\\x.exe\r\n";
  HANDLE heldOpen = INVALID_HANDLE_VALUE;
  BadPlace cases[] = {
      // Wine lets root write a file marked read-only, so the file is made readable only
      // by holding it open without write sharing, which takes Velkaro down the same path.
      {"file that can only be read",
       [&](const SettingsPlace& p) {
         p.MakeFolders();
         WriteWholeFile(p.File(), custom);
         heldOpen = CreateFileA(p.File().c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
         ASSERT_NE(INVALID_HANDLE_VALUE, heldOpen);
       },
       [](const SettingsPlace&) {},
       [&](const SettingsPlace& p) {
         CloseHandle(heldOpen);
         EXPECT_EQ(custom, ReadWholeFile(p.File()));
       }},
      {"folder where the file belongs",
       [](const SettingsPlace& p) {
         p.MakeFolders();
         CreateDirectoryA(p.File().c_str(), NULL);
       },
       [](const SettingsPlace&) {}, [](const SettingsPlace& p) { EXPECT_TRUE(FolderExists(p.File())); }},
      {"file where the product folder belongs",
       [](const SettingsPlace& p) {
         CreateDirectoryA(p.Maker().c_str(), NULL);
         WriteWholeFile(p.Product(), "x");
       },
       [](const SettingsPlace&) {},
       [](const SettingsPlace& p) {
         EXPECT_EQ("x", ReadWholeFile(p.Product()));
         EXPECT_FALSE(FileExists(p.File()));
       }},
      {"empty file",
       [](const SettingsPlace& p) {
         p.MakeFolders();
         WriteWholeFile(p.File(), "");
       },
       [](const SettingsPlace& p) {
         EXPECT_TRUE(FileExists(p.File()));
         EXPECT_EQ("", ReadWholeFile(p.File()));
       },
       [](const SettingsPlace& p) { EXPECT_EQ(SavedDefaults, ReadWholeFile(p.File())); }},
      {"file deleted while running", [](const SettingsPlace&) {},
       [](const SettingsPlace& p) { EXPECT_TRUE(DeleteFileA(p.File().c_str())); },
       [](const SettingsPlace& p) { EXPECT_EQ(SavedDefaults, ReadWholeFile(p.File())); }},
  };
  for (const BadPlace& c : cases) {
    SCOPED_TRACE(c.Name);
    SettingsPlace place;
    c.Prepare(place);
    VelkaroRun run;
    StartAndWait(run, place.AppData.Path.c_str());
    c.WhileRunning(place);
    CloseAndExpectZero(run);
    c.AfterExit(place);
  }
}

TEST(SettingsFile, WithoutAppDataTheFileGoesToTheRootOfTheCurrentDrive) {
  TempFolder cwd;
  std::string root = cwd.Path.substr(0, 2) + "\\Quorvin";
  std::string file = root + "\\Velkaro\\Programm.ini";
  ASSERT_FALSE(FolderExists(root)) << root << " is in the way";
  VelkaroRun run;
  StartAndWait(run, NULL, cwd.Path.c_str());
  EXPECT_EQ(DefaultFile, ReadWholeFile(file));
  CloseAndExpectZero(run);
  EXPECT_EQ(SavedDefaults, ReadWholeFile(file));
  DeleteFileA(file.c_str());
  RemoveDirectoryA((root + "\\Velkaro").c_str());
  RemoveDirectoryA(root.c_str());
  EXPECT_FALSE(FolderExists(root));
}

}  // namespace
