// The texts that launching builds from a path and its parameters.
#include <gtest/gtest.h>

#include "startbutton/launch.h"

namespace {

struct DirectoryCase {
  const char* Path;
  const char* Folder;
};

TEST(DirectoryPart, TakesTheFolderWithItsSeparator) {
  const DirectoryCase cases[] = {
      {"C:\\Programme\\Mein Tool\\tool.exe", "C:\\Programme\\Mein Tool\\"},
      {"\"C:\\Programme\\tool.exe\"", "C:\\Programme\\"},
      {"C:/Programme/tool.exe", "C:/Programme/"},
      {"C:\\a/b\\c.exe", "C:\\a/b\\"},
      {"tool.exe", ""},
      {"", ""},
      {"\"", ""},
      {"C:\\", "C:\\"},
      {"\\\\server\\share\\x.exe", "\\\\server\\share\\"},
  };
  for (const DirectoryCase& c : cases) EXPECT_EQ(c.Folder, DirectoryPart(c.Path)) << c.Path;
  EXPECT_EQ("", DirectoryPart(NULL));
}

struct LineCase {
  const char* File;
  const char* Parameters;
  const char* Line;
};

TEST(ComposeCommandLine, QuotesThePathAndAppendsParametersAsTyped) {
  const LineCase cases[] = {
      {"C:\\Mein Ordner\\a.exe", "", "\"C:\\Mein Ordner\\a.exe\""},
      {"C:\\Mein Ordner\\a.exe", "-x \"y z\"", "\"C:\\Mein Ordner\\a.exe\" -x \"y z\""},
      {"\"C:\\q.exe\"", "-a", "\"C:\\q.exe\" -a"},
      {"C:\\a.exe", " lead", "\"C:\\a.exe\"  lead"},
      {"", "", "\"\""},
  };
  for (const LineCase& c : cases) EXPECT_EQ(c.Line, ComposeCommandLine(c.File, c.Parameters)) << c.File;
  EXPECT_EQ("\"C:\\a.exe\"", ComposeCommandLine("C:\\a.exe", NULL));
}

}  // namespace
