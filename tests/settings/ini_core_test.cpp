// The text core without files: parsing, lookup, insertion, UTF-8 and numbers.
// Non-ASCII bytes are written as escapes so that the source charset and the
// execution charset do not matter.
#include <climits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "settings/ini_core.h"
#include "tests/settings/ini_examples.h"

namespace {

IniDocument Load(const std::string& bytes) {
  IniDocument doc;
  IniLoad(doc, bytes.data(), bytes.size());
  return doc;
}

// One line per entry: "H name", "C text" or "K name=value".
std::vector<std::string> Describe(const IniDocument& doc) {
  std::vector<std::string> out;
  for (const IniEntry& e : doc.Entries) {
    switch (e.Kind) {
      case IniEntryKind::GroupHeader: out.push_back("H " + e.Name); break;
      case IniEntryKind::CommentLine: out.push_back("C " + e.Name); break;
      case IniEntryKind::KeyValue: out.push_back("K " + e.Name + "=" + e.Value); break;
    }
  }
  return out;
}

TEST(IniCore, NewFileExampleIsTheSixtyFourBytes) {
  IniDocument doc;
  EXPECT_FALSE(IniSelectGroup(doc, "Einstellungen"));
  IniWriteText(doc, "Programm", "");
  IniWriteText(doc, "EnableParameter", "");
  IniWriteText(doc, "Parameter", "");
  std::string written = IniWrittenForm(doc);
  EXPECT_EQ(64u, written.size());
  EXPECT_EQ(kNewFileHex, Hex(written));
  EXPECT_EQ(64u, IniWrittenSize(doc));
}

TEST(IniCore, HandEditedExampleReadsAndWritesAsShown) {
  IniDocument doc = Load(kHandEdited);
  std::vector<std::string> expected = {
      "C Notiz", "H einstellungen", "K programm=C:\\Tools\\app.exe", "K EnableParameter=1",
      "K Parameter=-x   ", "K Farbe=", "H Andere", "K Wert=5"};
  EXPECT_EQ(expected, Describe(doc));
  EXPECT_FALSE(doc.Utf8);

  EXPECT_TRUE(IniSelectGroup(doc, "Einstellungen"));
  EXPECT_EQ(1u, doc.SelectedGroup);
  EXPECT_EQ("-x", IniReadText(doc, "Parameter", "default"));
  EXPECT_EQ("C:\\Tools\\app.exe", IniReadText(doc, "Programm", ""));
  EXPECT_EQ(1, IniReadInteger(doc, "EnableParameter", 7));
  EXPECT_EQ("", IniReadText(doc, "Farbe", "default"));

  IniWriteText(doc, "Programm", "C:\\Tools\\app.exe");
  IniWriteInteger(doc, "EnableParameter", 1);
  IniWriteText(doc, "Parameter", "-x");
  EXPECT_EQ(kHandEditedWritten, IniWrittenForm(doc));
}

struct ParseCase {
  const char* what;
  std::string input;
  std::vector<std::string> entries;
  std::string written;
};

TEST(IniCore, ParsesAndWritesLines) {
  const std::vector<ParseCase> cases = {
      {"comment with space", "; Notiz", {"C Notiz"}, "; Notiz\r\n"},
      {"comment without space gains one", ";Notiz", {"C Notiz"}, "; Notiz\r\n"},
      {"comment keeps further spaces", ";   drei", {"C   drei"}, ";   drei\r\n"},
      {"comment tab is not the space", ";\tTab", {"C \tTab"}, "; \tTab\r\n"},
      {"comment keeps trailing blanks", "; a \t ", {"C a \t "}, "; a \t \r\n"},
      {"empty comment", ";", {"C "}, "; \r\n"},
      {"indented comment", " \t; x", {"C x"}, "; x\r\n"},
      {"header", "[Gruppe]", {"H Gruppe"}, "[Gruppe]\r\n"},
      {"text after ] is dropped", "[Gruppe] ; Rest = 1", {"H Gruppe"}, "[Gruppe]\r\n"},
      {"header without ]", "[Gruppe x ", {"H Gruppe x "}, "[Gruppe x ]\r\n"},
      {"header name not trimmed", "[ Gruppe ]", {"H  Gruppe "}, "[ Gruppe ]\r\n"},
      {"header up to the first ]", "[a]b]", {"H a"}, "[a]\r\n"},
      {"empty header", "[]", {"H "}, "[]\r\n"},
      {"lone [", "[", {"H "}, "[]\r\n"},
      {"indented header", "\t [g]", {"H g"}, "[g]\r\n"},
      {"key and value", "Wert=5", {"K Wert=5"}, "Wert = 5\r\n"},
      {"key without =", "Farbe", {"K Farbe="}, "Farbe = \r\n"},
      {"key without = loses trailing blanks", "Farbe \t", {"K Farbe="}, "Farbe = \r\n"},
      {"key with empty value", "k=", {"K k="}, "k = \r\n"},
      {"= as first character", "=wert", {"K =wert"}, " = wert\r\n"},
      {"] as first character", "]k=1", {"K ]k=1"}, "]k = 1\r\n"},
      {"blanks around = and value", " \tk \t= \t v \t", {"K k=v \t"}, "k = v \t\r\n"},
      {"value after the first =", "a = b = c", {"K a=b = c"}, "a = b = c\r\n"},
      {"; inside a value", "k = v ; kein Kommentar", {"K k=v ; kein Kommentar"},
       "k = v ; kein Kommentar\r\n"},
      {"; inside a key", "k;x=1", {"K k;x=1"}, "k;x = 1\r\n"},
      {"[ inside a key", "k[x]=1", {"K k[x]=1"}, "k[x] = 1\r\n"},
      {"blank line", "  \t ", {}, ""},
      {"empty input", "", {}, ""},
      {"CR LF", "a=1\r\nb=2\r\n", {"K a=1", "K b=2"}, "a = 1\r\nb = 2\r\n"},
      {"CR alone", "a=1\rb=2\r", {"K a=1", "K b=2"}, "a = 1\r\nb = 2\r\n"},
      {"LF alone", "a=1\nb=2\n", {"K a=1", "K b=2"}, "a = 1\r\nb = 2\r\n"},
      {"LF CR counts as one run", "a=1\n\rb=2", {"K a=1", "K b=2"}, "a = 1\r\nb = 2\r\n"},
      {"runs of line ends", "\r\n\r\na=1\r\r\n\n\n\rb=2\n\n",
       {"K a=1", "K b=2"}, "a = 1\r\nb = 2\r\n"},
      {"empty and blank lines vanish", "a=1\n\n \t \n\nb=2", {"K a=1", "K b=2"},
       "a = 1\r\nb = 2\r\n"},
      {"no line end at the end", "[g]\nk=v  ", {"H g", "K k=v  "}, "[g]\r\nk = v  \r\n"},
      {"NUL is an ordinary byte", std::string("k\0x=v\0", 6),
       {std::string("K k\0x=v\0", 8)}, std::string("k\0x = v\0\r\n", 10)},
      {"other control bytes are not blanks", "\vk=\f", {"K \vk=\f"}, "\vk = \f\r\n"},
  };
  for (const ParseCase& c : cases) {
    IniDocument doc = Load(c.input);
    EXPECT_EQ(c.entries, Describe(doc)) << c.what;
    EXPECT_EQ(c.written, IniWrittenForm(doc)) << c.what;
    EXPECT_EQ(c.written.size(), IniWrittenSize(doc)) << c.what;
  }
}

TEST(IniCore, NamesMatchIgnoringTheCaseOfAToZOnly) {
  struct Case {
    const char* a;
    const char* b;
    bool equal;
  };
  const Case cases[] = {
      {"Einstellungen", "einstellungen", true},
      {"EINSTELLUNGEN", "Einstellungen", true},
      {"AZaz", "azAZ", true},
      {"Einstellungen", "Einstellungen ", false},
      {" Einstellungen", "Einstellungen", false},
      {"Gr\xF6\xDF" "e", "GR\xD6\xDF" "E", false},  // umlauts are not folded
      {"Gr\xF6\xDF" "e", "GR\xF6\xDF" "E", true},
      {"a[", "a{", false},  // differ only in bit 5, like letters do
      {"@", "`", false},
      {"^", "~", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.equal, IniNamesEqual(c.a, c.b)) << c.a << " / " << c.b;
    IniDocument doc = Load(std::string("[") + c.a + "]\nk=1\n");
    EXPECT_EQ(c.equal, IniSelectGroup(doc, c.b)) << c.a << " / " << c.b;
  }
}

TEST(IniCore, FirstOfEqualKeysIsTheOnlyOneReadAndWritten) {
  IniDocument doc = Load("[g]\nKey=first\nkey=second\n");
  ASSERT_TRUE(IniSelectGroup(doc, "G"));
  EXPECT_EQ("first", IniReadText(doc, "KEY", ""));
  IniWriteText(doc, "kEy", "new");
  EXPECT_EQ("[g]\r\nkEy = new\r\nkey = second\r\n", IniWrittenForm(doc));
}

TEST(IniCore, SecondHeaderOfAGroupIsNeverReadOrWritten) {
  IniDocument doc = Load(
      "[Einstellungen]\nProgramm=eins\n[Andere]\nx=1\n"
      "[EINSTELLUNGEN]\nProgramm=zwei\nParameter=-q\n");
  ASSERT_TRUE(IniSelectGroup(doc, "Einstellungen"));
  EXPECT_EQ(0u, doc.SelectedGroup);
  EXPECT_EQ("eins", IniReadText(doc, "Programm", ""));
  EXPECT_EQ("fehlt", IniReadText(doc, "Parameter", "fehlt"));
  IniWriteText(doc, "Programm", "neu");
  IniWriteText(doc, "Parameter", "-a");
  EXPECT_EQ(
      "[Einstellungen]\r\nProgramm = neu\r\nParameter = -a\r\n[Andere]\r\nx = 1\r\n"
      "[EINSTELLUNGEN]\r\nProgramm = zwei\r\nParameter = -q\r\n",
      IniWrittenForm(doc));
}

TEST(IniCore, HeaderWithBlanksAroundTheNameIsAnotherGroup) {
  IniDocument doc = Load("[ Einstellungen ]\nProgramm=alt\n");
  EXPECT_FALSE(IniSelectGroup(doc, "Einstellungen"));
  EXPECT_EQ("", IniReadText(doc, "Programm", ""));
  IniWriteText(doc, "Programm", "neu");
  IniWriteText(doc, "Parameter", "");
  EXPECT_EQ("[ Einstellungen ]\r\nProgramm = alt\r\n[Einstellungen]\r\nProgramm = neu\r\nParameter = \r\n",
            IniWrittenForm(doc));
}

struct WriteCase {
  const char* what;
  const char* input;
  const char* group;  // empty: the unnamed area
  const char* key;
  const char* value;
  const char* written;
};

TEST(IniCore, NewKeysGoToTheEndOfTheirGroup) {
  const WriteCase cases[] = {
      {"first of two groups: after its closing comments, before the next header",
       "[a]\nx=1\n; Ende a\n;noch\n[b]\ny=2\n", "a", "neu", "1",
       "[a]\r\nx = 1\r\n; Ende a\r\n; noch\r\nneu = 1\r\n[b]\r\ny = 2\r\n"},
      {"group without entries: right after its header", "[a]\n[b]\n", "a", "k", "v",
       "[a]\r\nk = v\r\n[b]\r\n"},
      {"last group: at the end", "[a]\nx=1\n[b]\ny=2\n; Schluss\n", "b", "k", "v",
       "[a]\r\nx = 1\r\n[b]\r\ny = 2\r\n; Schluss\r\nk = v\r\n"},
      {"unnamed area: before the first header", "; oben\nx=1\n[a]\ny=2\n", "", "k", "v",
       "; oben\r\nx = 1\r\nk = v\r\n[a]\r\ny = 2\r\n"},
      {"unnamed area of a file that begins with a header: at the very start", "[a]\ny=2\n", "", "k",
       "v", "k = v\r\n[a]\r\ny = 2\r\n"},
      {"unnamed area of an empty file", "", "", "k", "v", "k = v\r\n"},
      {"unnamed area of a file without headers: at the end", "x=1\n;c\n", "", "k", "v",
       "x = 1\r\n; c\r\nk = v\r\n"},
      {"pending group: appended at the end", "[a]\nx=1\n; Ende\n", "b", "k", "v",
       "[a]\r\nx = 1\r\n; Ende\r\n[b]\r\nk = v\r\n"},
      {"pending group in an empty file: the only header", "", "b", "k", "v", "[b]\r\nk = v\r\n"},
      {"existing key: value replaced, name takes the written case", "[a]\nprogramm = alt  \n", "A",
       "Programm", "neu", "[a]\r\nProgramm = neu\r\n"},
      {"same value still rewrites the name", "[a]\nWERT=1\n", "a", "Wert", "1", "[a]\r\nWert = 1\r\n"},
      {"key of the unnamed area is not found inside a group", "k=1\n[a]\n", "a", "k", "2",
       "k = 1\r\n[a]\r\nk = 2\r\n"},
      {"comments are stepped over when looking", "[a]\n; k=1\nk=1\n", "a", "k", "2",
       "[a]\r\n; k=1\r\nk = 2\r\n"},
  };
  for (const WriteCase& c : cases) {
    IniDocument doc = Load(c.input);
    IniSelectGroup(doc, c.group);
    IniWriteText(doc, c.key, c.value);
    EXPECT_EQ(c.written, IniWrittenForm(doc)) << c.what;
    EXPECT_EQ(c.value, IniReadText(doc, c.key, "fehlt")) << c.what;
  }
}

TEST(IniCore, PendingGroupHidesOtherKeysAndIsCreatedOnlyByAWrite) {
  IniDocument doc = Load("Programm=oben\n[a]\nProgramm=in a\n");
  ASSERT_TRUE(IniSelectGroup(doc, "a"));
  EXPECT_FALSE(IniSelectGroup(doc, "Einstellungen"));
  EXPECT_EQ("Einstellungen", doc.PendingGroup);
  EXPECT_EQ("vorgabe", IniReadText(doc, "Programm", "vorgabe"));
  EXPECT_EQ(-3, IniReadInteger(doc, "Programm", -3));
  // Selected but never written: nothing is added.
  EXPECT_EQ("Programm = oben\r\n[a]\r\nProgramm = in a\r\n", IniWrittenForm(doc));

  // A later pending name replaces the earlier one.
  EXPECT_FALSE(IniSelectGroup(doc, "Zweite"));
  IniWriteText(doc, "k", "v");
  EXPECT_EQ("", doc.PendingGroup);
  EXPECT_EQ("Programm = oben\r\n[a]\r\nProgramm = in a\r\n[Zweite]\r\nk = v\r\n", IniWrittenForm(doc));
  EXPECT_TRUE(IniSelectGroup(doc, "zweite"));

  // The empty name returns to the unnamed area and drops a pending name.
  EXPECT_FALSE(IniSelectGroup(doc, "Dritte"));
  EXPECT_TRUE(IniSelectGroup(doc, ""));
  EXPECT_EQ("", doc.PendingGroup);
  EXPECT_EQ("oben", IniReadText(doc, "Programm", ""));
  EXPECT_TRUE(IniSelectGroup(doc, nullptr));
}

TEST(IniCore, ReadsBeforeAnySelectionAddressTheUnnamedArea) {
  IniDocument doc = Load("k=oben\n[g]\nk=unten\nnur=g\n");
  EXPECT_EQ("oben", IniReadText(doc, "k", ""));
  EXPECT_EQ("nein", IniReadText(doc, "nur", "nein"));
}

TEST(IniCore, ReadTextTrimsBlanksAndKeepsTheDefaultUnchanged) {
  IniDocument doc;
  IniWriteText(doc, "k", " \t Wert mit Rand \t ");
  EXPECT_EQ("Wert mit Rand", IniReadText(doc, "k", ""));
  EXPECT_EQ("  Vorgabe  ", IniReadText(doc, "fehlt", "  Vorgabe  "));
  EXPECT_EQ("", IniReadText(doc, "fehlt", nullptr));
  // The stored value keeps its blanks until it is written and read again.
  IniDocument reread = Load(IniWrittenForm(doc));
  EXPECT_EQ("Wert mit Rand", IniReadText(reread, "k", ""));
}

TEST(IniCore, ReadIntegerScansLikePercentD) {
  struct Case {
    const char* value;
    int expected;
  };
  const Case cases[] = {
      {"12", 12},
      {"Buchstaben", 0},
      {"", 0},
      {"12abc", 12},
      {" -7", -7},
      {"\t+5", 5},
      {"-", 0},
      {"+", 0},
      {"- 5", 0},
      {"--5", 0},
      {"007", 7},
      {"-0", 0},
      {"1 2", 1},
      {"0x10", 0},
      {"1e3", 1},
      {"3.9", 3},
      {"2147483647", INT_MAX},
      {"2147483648", INT_MAX},
      {"99999999999999999999999999", INT_MAX},
      {"-2147483648", INT_MIN},
      {"-2147483649", INT_MIN},
      {"-99999999999999999999999999", INT_MIN},
      {"00000000000000000000000042", 42},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, IniScanInteger(c.value)) << c.value;
    IniDocument doc = Load(std::string("[g]\nk=") + c.value + "\n");
    IniSelectGroup(doc, "g");
    EXPECT_EQ(c.expected, IniReadInteger(doc, "k", 99)) << c.value;
  }
  IniDocument doc = Load("[g]\nk=1\n");
  IniSelectGroup(doc, "g");
  EXPECT_EQ(99, IniReadInteger(doc, "absent", 99));
  EXPECT_EQ(INT_MIN, IniReadInteger(doc, "absent", INT_MIN));
}

TEST(IniCore, WriteIntegerFormatsLikePercentI) {
  struct Case {
    int value;
    const char* text;
  };
  const Case cases[] = {
      {0, "0"}, {1, "1"}, {-1, "-1"}, {42, "42"}, {INT_MAX, "2147483647"}, {INT_MIN, "-2147483648"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.text, IniFormatInteger(c.value));
    IniDocument doc;
    IniWriteInteger(doc, "n", c.value);
    EXPECT_EQ(std::string("n = ") + c.text + "\r\n", IniWrittenForm(doc));
    EXPECT_EQ(c.value, IniReadInteger(doc, "n", 5));
  }
}

TEST(IniCore, Latin1ToUtf8) {
  EXPECT_EQ("Abc", IniLatin1ToUtf8("Abc"));
  EXPECT_EQ("\x47\x72\xC3\xB6\xC3\x9F\x65", IniLatin1ToUtf8("\x47\x72\xF6\xDF\x65"));
  EXPECT_EQ("\xC2\x80", IniLatin1ToUtf8("\x80"));
  EXPECT_EQ("\xC3\xBF", IniLatin1ToUtf8("\xFF"));
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  EXPECT_EQ(all, IniUtf8ToLatin1(IniLatin1ToUtf8(all)));
}

TEST(IniCore, Utf8ValuesDecodeOrReadAsEmpty) {
  struct Case {
    const char* what;
    const char* utf8;
    const char* latin1;
  };
  const Case cases[] = {
      {"ASCII stays", "C:\\x y", "C:\\x y"},
      {"two-byte characters", "Gr\xC3\xB6\xC3\x9F" "e", "\x47\x72\xF6\xDF\x65"},
      {"U+00FF", "\xC3\xBF", "\xFF"},
      {"above U+00FF", "a\xC4\x80", ""},
      {"euro sign", "5 \xE2\x82\xAC", ""},
      {"three-byte form of a small character", "\xE0\x83\xBF", "\xFF"},
      {"four-byte form of a small character", "\xF0\x80\x81\x81", "A"},
      {"continuation where a lead is due", "a\x80", ""},
      {"lead F8", "a\xF8\x80", ""},
      {"lead FF", "\xFF", ""},
      {"lead followed by a non-continuation", "\xC3" "A", ""},
      {"three-byte lead followed by a non-continuation", "\xE0\x80" "A", ""},
      {"sequence cut short at the end is dropped", "ab\xC3", "ab"},
      {"long sequence cut short", "ab\xF0\x80\x80", "ab"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.latin1, IniUtf8ToLatin1(c.utf8)) << c.what;
  }
}

TEST(IniCore, Utf8FileReadsAnsiTextAndKeepsUntouchedBytes) {
  const std::string file = std::string(kMark) +
                           "; Kommentar \xC3\xA4\r\n"
                           "[Gr\xC3\xB6\xC3\x9F" "e]\r\n"
                           "Parameter=Gr\xC3\xB6\xC3\x9F" "e\r\n"
                           "Zeichen=\xE2\x82\xAC\r\n"
                           "Kaputt=\xC3(\r\n";
  IniDocument doc = Load(file);
  EXPECT_TRUE(doc.Utf8);
  EXPECT_EQ("C Kommentar \xC3\xA4", Describe(doc)[0]);
  ASSERT_TRUE(IniSelectGroup(doc, "GR\xF6\xDF" "E"));
  EXPECT_EQ("\x47\x72\xF6\xDF\x65", IniReadText(doc, "Parameter", ""));
  EXPECT_EQ("", IniReadText(doc, "Zeichen", "vorgabe"));
  EXPECT_EQ("", IniReadText(doc, "Kaputt", "vorgabe"));

  IniWriteText(doc, "Neu\xE4", "\xFC" "ber");
  EXPECT_EQ("\xFC" "ber", IniReadText(doc, "neu\xE4", ""));
  EXPECT_EQ(std::string(kMark) +
                "\r\n"
                "; Kommentar \xC3\xA4\r\n"
                "[Gr\xC3\xB6\xC3\x9F" "e]\r\n"
                "Parameter = Gr\xC3\xB6\xC3\x9F" "e\r\n"
                "Zeichen = \xE2\x82\xAC\r\n"
                "Kaputt = \xC3(\r\n"
                "Neu\xC3\xA4 = \xC3\xBC" "ber\r\n",
            IniWrittenForm(doc));
}

TEST(IniCore, Utf8PendingGroupIsWrittenInUtf8) {
  IniDocument doc = Load(kMark);
  EXPECT_TRUE(doc.Utf8);
  EXPECT_TRUE(doc.Entries.empty());
  EXPECT_FALSE(IniSelectGroup(doc, "M\xFC" "ll"));
  IniWriteInteger(doc, "Zahl", -12);
  EXPECT_EQ(std::string(kMark) + "\r\n[M\xC3\xBC" "ll]\r\nZahl = -12\r\n", IniWrittenForm(doc));
  EXPECT_EQ(-12, IniReadInteger(doc, "zahl", 0));
}

TEST(IniCore, MarkIsOnlyRecognisedAtTheStart) {
  IniDocument doc = Load(std::string("k=1\n") + kMark + "x=2\n");
  EXPECT_FALSE(doc.Utf8);
  std::vector<std::string> expected = {"K k=1", std::string("K ") + kMark + "x=2"};
  EXPECT_EQ(expected, Describe(doc));
  IniDocument partial = Load("\xEF\xBB" "k=1\n");
  EXPECT_FALSE(partial.Utf8);
}

TEST(IniCore, LinesOfMegabytesAreReadAndWrittenWhole) {
  const std::string value(3 * 1024 * 1024, 'v');
  const std::string comment(2 * 1024 * 1024 + 17, 'c');
  const std::string group(1024 * 1024, 'g');
  const std::string input = ";" + comment + "\r\n[" + group + "]\n" + "k = " + value;  // no line end
  IniDocument doc = Load(input);
  ASSERT_EQ(3u, doc.Entries.size());
  EXPECT_EQ(comment, doc.Entries[0].Name);
  EXPECT_EQ(group, doc.Entries[1].Name);
  EXPECT_EQ(value, doc.Entries[2].Value);
  ASSERT_TRUE(IniSelectGroup(doc, group.c_str()));
  EXPECT_EQ(value, IniReadText(doc, "k", ""));
  const std::string longKey(1024 * 1024 + 3, 'K');
  IniWriteText(doc, longKey.c_str(), value.c_str());
  const std::string written = IniWrittenForm(doc);
  EXPECT_EQ("; " + comment + "\r\n[" + group + "]\r\nk = " + value + "\r\n" + longKey + " = " + value + "\r\n",
            written);
  EXPECT_EQ(written, IniWrittenForm(Load(written)));
}

TEST(IniCore, ClearForgetsEverything) {
  IniDocument doc = Load(std::string(kMark) + "[a]\nk=1\n");
  IniSelectGroup(doc, "a");
  IniSelectGroup(doc, "b");
  IniClear(doc);
  EXPECT_TRUE(doc.Entries.empty());
  EXPECT_FALSE(doc.Utf8);
  EXPECT_EQ(IniNoGroup, doc.SelectedGroup);
  EXPECT_EQ("", doc.PendingGroup);
  EXPECT_EQ("", IniWrittenForm(doc));
}

}  // namespace
