// IniFile through the real file calls: every test works in its own folder
// under the temp path and removes it afterwards.
#include <windows.h>

#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "settings/ini_file.h"
#include "tests/settings/ini_examples.h"

namespace {

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Reads what another program would see; false when the file cannot be opened.
bool ReadBytes(const std::string& path, std::string* bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  if (h == INVALID_HANDLE_VALUE) return false;
  DWORD size = GetFileSize(h, NULL);
  bytes->assign(size, '\0');
  DWORD got = 0;
  BOOL ok = size == 0 || ReadFile(h, &(*bytes)[0], size, &got, NULL);
  CloseHandle(h);
  return ok && got == size;
}

std::string Bytes(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(path, &bytes)) << path;
  return bytes;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, h) << path;
  DWORD written = 0;
  BOOL ok = bytes.empty() || WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
  CloseHandle(h);
  ASSERT_TRUE(ok && written == bytes.size()) << path;
}

class IniFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH + 1] = {};
    DWORD n = GetTempPathA(sizeof temp, temp);
    ASSERT_GT(n, 0u);
    static int serial = 0;
    folder_ = std::string(temp, n) + "velkaro_ini_" + std::to_string(GetCurrentProcessId()) + "_" +
              std::to_string(++serial);
    ASSERT_TRUE(CreateDirectoryA(folder_.c_str(), NULL)) << folder_;
  }

  void TearDown() override {
    WIN32_FIND_DATAA found = {};
    HANDLE search = FindFirstFileA((folder_ + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        std::string path = folder_ + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveDirectoryA(path.c_str());
        } else {
          DeleteFileA(path.c_str());
        }
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    EXPECT_TRUE(RemoveDirectoryA(folder_.c_str())) << folder_ << " not empty";
  }

  std::string Path(const char* name) const { return folder_ + "\\" + name; }

  std::string folder_;
};

TEST_F(IniFileTest, NewFileExampleIsWrittenAsTheSixtyFourBytes) {
  const std::string path = Path("Programm.ini");
  IniFile ini;
  ASSERT_TRUE(ini.Create(path.c_str()));
  EXPECT_FALSE(ini.SelectGroup("Einstellungen"));
  ini.WriteText("Programm", "");
  ini.WriteText("EnableParameter", "");
  ini.WriteText("Parameter", "");
  ini.Close();
  EXPECT_EQ(kNewFileHex, Hex(Bytes(path)));

  // Read back as the settings store does; an empty EnableParameter reads as 0.
  ASSERT_TRUE(ini.Open(path.c_str()));
  EXPECT_TRUE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("", ini.ReadText("Programm", "x"));
  EXPECT_EQ(0, ini.ReadInteger("EnableParameter", 5));
  ini.Close();
  EXPECT_EQ(kNewFileHex, Hex(Bytes(path)));
}

TEST_F(IniFileTest, HandEditedExampleIsRewrittenExactly) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, kHandEdited);
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  EXPECT_FALSE(ini.Utf8);
  EXPECT_FALSE(ini.Changed);
  EXPECT_EQ(8u, ini.Entries.size());
  ASSERT_TRUE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("C:\\Tools\\app.exe", ini.ReadText("Programm", ""));
  EXPECT_EQ(1, ini.ReadInteger("EnableParameter", 0));
  EXPECT_EQ("-x", ini.ReadText("Parameter", ""));
  EXPECT_FALSE(ini.Changed);
  ini.WriteText("Programm", "C:\\Tools\\app.exe");
  ini.WriteInteger("EnableParameter", 1);
  ini.WriteText("Parameter", "-x");
  EXPECT_TRUE(ini.Changed);
  ini.Close();
  EXPECT_EQ(kHandEditedWritten, Bytes(path));
}

TEST_F(IniFileTest, OpenOnAnAbsentFileThenCloseCreatesNothing) {
  const std::string path = Path("Programm.ini");
  IniFile ini;
  EXPECT_FALSE(ini.Open(path.c_str()));
  EXPECT_EQ(path, ini.BoundPath);
  EXPECT_EQ(INVALID_HANDLE_VALUE, ini.Handle);
  EXPECT_FALSE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("vorgabe", ini.ReadText("Programm", "vorgabe"));
  EXPECT_EQ(3, ini.ReadInteger("EnableParameter", 3));
  ini.Close();
  EXPECT_FALSE(Exists(path));
  EXPECT_EQ("", ini.BoundPath);
}

TEST_F(IniFileTest, OpenOnAnAbsentFileAndOneWriteCreateIt) {
  const std::string path = Path("Programm.ini");
  IniFile ini;
  EXPECT_FALSE(ini.Open(path.c_str()));
  EXPECT_FALSE(ini.SelectGroup("Einstellungen"));
  ini.WriteText("Programm", "C:\\Windows\\notepad.exe");
  EXPECT_EQ("C:\\Windows\\notepad.exe", ini.ReadText("Programm", ""));
  EXPECT_FALSE(Exists(path));
  ini.Close();
  EXPECT_EQ("[Einstellungen]\r\nProgramm = C:\\Windows\\notepad.exe\r\n", Bytes(path));
}

TEST_F(IniFileTest, AbsentFileWhoseFolderIsMissingIsLostQuietly) {
  const std::string path = Path("fehlt\\Programm.ini");
  IniFile ini;
  EXPECT_FALSE(ini.Open(path.c_str()));
  ini.SelectGroup("Einstellungen");
  ini.WriteText("Programm", "x");
  ini.Close();
  EXPECT_FALSE(Exists(path));
  EXPECT_FALSE(Exists(Path("fehlt")));
}

TEST_F(IniFileTest, FolderInPlaceOfTheFileStaysAFolder) {
  const std::string path = Path("Programm.ini");
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), NULL));
  IniFile ini;
  EXPECT_FALSE(ini.Open(path.c_str()));
  ini.SelectGroup("Einstellungen");
  EXPECT_EQ("", ini.ReadText("Programm", ""));
  ini.WriteText("Programm", "x");
  ini.Close();
  EXPECT_EQ(static_cast<DWORD>(FILE_ATTRIBUTE_DIRECTORY),
            GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(IniFileTest, ReadOnlyFileIsReadButLeftAsItWas) {
  const std::string path = Path("Programm.ini");
  const std::string original = "[Einstellungen]\rProgramm=C:\\a.exe\rParameter=  -p  \r";
  WriteBytes(path, original);
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  // Wine keeps the attribute in the Unix mode bits, which root ignores: then
  // the read-write open succeeds and this case cannot be made here.
  HANDLE probe = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                             FILE_ATTRIBUTE_NORMAL, NULL);
  if (probe != INVALID_HANDLE_VALUE) {
    CloseHandle(probe);
    GTEST_SKIP() << "read-only files are writable for this user (root under Wine); "
                    "FileThatAnotherHandleKeepsFromWritingIsLeftAsItWas covers the read-only open";
  }
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  ASSERT_TRUE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("C:\\a.exe", ini.ReadText("Programm", ""));
  EXPECT_EQ("-p", ini.ReadText("Parameter", ""));
  ini.WriteText("Programm", "C:\\b.exe");
  ini.WriteInteger("EnableParameter", 1);
  EXPECT_EQ("C:\\b.exe", ini.ReadText("Programm", ""));
  ini.Close();
  EXPECT_EQ(original, Bytes(path));
}

TEST_F(IniFileTest, FileThatAnotherHandleKeepsFromWritingIsLeftAsItWas) {
  const std::string path = Path("Programm.ini");
  const std::string original = "k=1\n";
  WriteBytes(path, original);
  HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
  ASSERT_NE(INVALID_HANDLE_VALUE, reader);
  IniFile ini;
  EXPECT_TRUE(ini.Open(path.c_str()));
  EXPECT_EQ(1, ini.ReadInteger("k", 0));
  ini.WriteInteger("k", 2);
  ini.Close();
  CloseHandle(reader);
  EXPECT_EQ(original, Bytes(path));
}

TEST_F(IniFileTest, WhileOpenOthersMayReadButNotWrite) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, "k=1\r\n");
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
  EXPECT_EQ(INVALID_HANDLE_VALUE, writer);
  if (writer != INVALID_HANDLE_VALUE) CloseHandle(writer);
  std::string seen;
  EXPECT_TRUE(ReadBytes(path, &seen));
  EXPECT_EQ("k=1\r\n", seen);
  ini.Close();
}

TEST_F(IniFileTest, AfterAFailedCreateEveryCallIsWithoutEffect) {
  const std::string bound = Path("gebunden.ini");
  const std::string bad = Path("fehlt\\Programm.ini");
  IniFile ini;
  EXPECT_FALSE(ini.Open(bound.c_str()));  // leaves a bound path that Create must drop
  EXPECT_FALSE(ini.Create(bad.c_str()));
  EXPECT_EQ(INVALID_HANDLE_VALUE, ini.Handle);
  EXPECT_EQ("", ini.BoundPath);
  EXPECT_FALSE(ini.SelectGroup("Einstellungen"));
  EXPECT_FALSE(ini.SelectGroup(""));
  EXPECT_EQ("vorgabe", ini.ReadText("Programm", "vorgabe"));
  EXPECT_EQ(-9, ini.ReadInteger("EnableParameter", -9));
  ini.WriteText("Programm", "x");
  ini.WriteInteger("EnableParameter", 1);
  EXPECT_FALSE(ini.Changed);
  EXPECT_TRUE(ini.Entries.empty());
  EXPECT_EQ("vorgabe", ini.ReadText("Programm", "vorgabe"));
  ini.Close();
  EXPECT_FALSE(Exists(bad));
  EXPECT_FALSE(Exists(bound));
}

TEST_F(IniFileTest, CallsAfterCloseAreWithoutEffect) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, "[g]\nk=1\n");
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  ini.Close();
  EXPECT_FALSE(ini.SelectGroup("g"));
  EXPECT_EQ(7, ini.ReadInteger("k", 7));
  ini.WriteText("k", "2");
  ini.Close();
  ini.Close();
  EXPECT_EQ("[g]\nk=1\n", Bytes(path));
}

TEST_F(IniFileTest, CreateEmptiesAnExistingFile) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, std::string(kMark) + "[Einstellungen]\r\nProgramm=alt\r\n");
  IniFile ini;
  ASSERT_TRUE(ini.Create(path.c_str()));
  EXPECT_EQ("", Bytes(path));
  EXPECT_FALSE(ini.Utf8);
  EXPECT_FALSE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("leer", ini.ReadText("Programm", "leer"));
  ini.Close();
  EXPECT_EQ("", Bytes(path));

  // A created file is never a UTF-8 file, whatever stood there before.
  WriteBytes(path, std::string(kMark) + "x=1\r\n");
  ASSERT_TRUE(ini.Create(path.c_str()));
  ini.WriteText("Gr\xF6\xDF" "e", "\xE4");
  ini.Close();
  EXPECT_EQ("Gr\xF6\xDF" "e = \xE4\r\n", Bytes(path));
}

TEST_F(IniFileTest, Utf8FileReadsAnsiAndKeepsItsBytes) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, std::string(kMark) +
                       "; \xC3\xBC" "ber\n"
                       "[Einstellungen]\n"
                       "Parameter=Gr\xC3\xB6\xC3\x9F" "e\n"
                       "Programm=C:\\\xE2\x82\xAC.exe\n"
                       "[Andere]\n"
                       "Kaputt = \xC3\n\xBF\n");
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  EXPECT_TRUE(ini.Utf8);
  ASSERT_TRUE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ("\x47\x72\xF6\xDF\x65", ini.ReadText("Parameter", ""));
  EXPECT_EQ("", ini.ReadText("Programm", "vorgabe"));
  ini.WriteInteger("EnableParameter", 1);
  ini.Close();
  EXPECT_EQ(std::string(kMark) +
                "\r\n"
                "; \xC3\xBC" "ber\r\n"
                "[Einstellungen]\r\n"
                "Parameter = Gr\xC3\xB6\xC3\x9F" "e\r\n"
                "Programm = C:\\\xE2\x82\xAC.exe\r\n"
                "EnableParameter = 1\r\n"
                "[Andere]\r\n"
                "Kaputt = \xC3\r\n"
                "\xBF = \r\n",
            Bytes(path));
}

TEST_F(IniFileTest, FileOfOnlyTheMarkIsAnEmptyUtf8File) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, kMark);
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  EXPECT_TRUE(ini.Utf8);
  EXPECT_TRUE(ini.Entries.empty());
  ini.SelectGroup("Einstellungen");
  ini.WriteText("Parameter", "Gr\xF6\xDF" "e");
  ini.Close();
  EXPECT_EQ(std::string(kMark) + "\r\n[Einstellungen]\r\nParameter = Gr\xC3\xB6\xC3\x9F" "e\r\n", Bytes(path));
}

TEST_F(IniFileTest, ShortFilesAreReadWithoutAMark) {
  struct Case {
    const char* bytes;
    const char* written;
  };
  const Case cases[] = {
      {"", "k = v\r\n"},
      {"a", "a = \r\nk = v\r\n"},
      {"\xEF\xBB", "\xEF\xBB = \r\nk = v\r\n"},
      {"\xEF\xBB" "a", "\xEF\xBB" "a = \r\nk = v\r\n"},
  };
  const std::string path = Path("Programm.ini");
  for (const Case& c : cases) {
    WriteBytes(path, c.bytes);
    IniFile ini;
    ASSERT_TRUE(ini.Open(path.c_str())) << c.bytes;
    EXPECT_FALSE(ini.Utf8) << c.bytes;
    ini.WriteText("k", "v");
    ini.Close();
    EXPECT_EQ(c.written, Bytes(path)) << Hex(c.bytes);
  }
}

TEST_F(IniFileTest, UnchangedFileIsNotRewritten) {
  const std::string path = Path("Programm.ini");
  const std::string original = "  [Einstellungen] x\rProgramm=a\r\r\nParameter = \t-p \n";
  WriteBytes(path, original);
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  ini.SelectGroup("Einstellungen");
  EXPECT_EQ("a", ini.ReadText("Programm", ""));
  EXPECT_EQ("-p", ini.ReadText("Parameter", ""));
  ini.SelectGroup("Fehlt");
  ini.Close();
  EXPECT_EQ(original, Bytes(path));
}

TEST_F(IniFileTest, RewriteUsesCrLfAndCutsTheRest) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, "[Einstellungen]\r\r\r\r\r\r     Programm=a\r      \r\r\r\r;Ende" + std::string(300, ' ') + "\r");
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  ini.SelectGroup("Einstellungen");
  ini.WriteText("Programm", "b");
  ini.Close();
  EXPECT_EQ("[Einstellungen]\r\nProgramm = b\r\n; Ende" + std::string(300, ' ') + "\r\n", Bytes(path));
}

TEST_F(IniFileTest, OpeningASecondFileWritesBackTheFirst) {
  const std::string first = Path("eins.ini");
  const std::string second = Path("zwei.ini");
  WriteBytes(first, "k=1\n");
  WriteBytes(second, "k=2\n");
  IniFile ini;
  ASSERT_TRUE(ini.Open(first.c_str()));
  ini.WriteInteger("k", 10);
  ASSERT_TRUE(ini.Open(second.c_str()));
  EXPECT_EQ("k = 10\r\n", Bytes(first));
  EXPECT_EQ(2, ini.ReadInteger("k", 0));
  ini.WriteInteger("k", INT_MIN);
  ASSERT_TRUE(ini.Create(first.c_str()));
  EXPECT_EQ("k = -2147483648\r\n", Bytes(second));
  ini.Close();
  EXPECT_EQ("", Bytes(first));
}

TEST_F(IniFileTest, DestructionReleasesTheHandleWithoutWriting) {
  const std::string path = Path("Programm.ini");
  WriteBytes(path, "k=1\n");
  {
    IniFile ini;
    ASSERT_TRUE(ini.Open(path.c_str()));
    ini.WriteText("k", "2");
  }
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, NULL, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, NULL);
  EXPECT_NE(INVALID_HANDLE_VALUE, h) << "the file is still held";
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  EXPECT_EQ("k=1\n", Bytes(path));
}

TEST_F(IniFileTest, LinesOfMegabytesGoThroughOneReadAndOneWrite) {
  const std::string path = Path("Programm.ini");
  const std::string value(5 * 1024 * 1024 + 1, 'w');
  const std::string comment(2 * 1024 * 1024, ';');
  WriteBytes(path, ";" + comment + "\n[Einstellungen]\nParameter=" + value);
  IniFile ini;
  ASSERT_TRUE(ini.Open(path.c_str()));
  ASSERT_TRUE(ini.SelectGroup("Einstellungen"));
  EXPECT_EQ(value, ini.ReadText("Parameter", ""));
  ini.WriteText("Programm", value.c_str());
  ini.Close();
  EXPECT_EQ("; " + comment + "\r\n[Einstellungen]\r\nParameter = " + value + "\r\nProgramm = " + value + "\r\n",
            Bytes(path));
}

}  // namespace
