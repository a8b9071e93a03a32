// Preference-file text: parsing bytes into entries, group and key lookup,
// reads and writes in memory, and the written form. Plain C++, no Windows
// headers, so that it builds and is tested and fuzzed natively as well.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

enum class IniEntryKind { GroupHeader, CommentLine, KeyValue };

// Name is a header's name, a comment's text or a key's name; Value is a key's
// value. In a UTF-8 file both hold the file's UTF-8 bytes.
struct IniEntry {
  IniEntryKind Kind = IniEntryKind::KeyValue;
  std::string Name;
  std::string Value;
};

const std::size_t IniNoGroup = static_cast<std::size_t>(-1);

struct IniDocument {
  std::vector<IniEntry> Entries;
  bool Utf8 = false;
  // Index of the selected GroupHeader in Entries, IniNoGroup for the unnamed area.
  std::size_t SelectedGroup = IniNoGroup;
  // Empty when no group is pending: an empty name always means the unnamed area.
  std::string PendingGroup;
};

extern const char IniUtf8Mark[3];
// What a UTF-8 file begins with when written: the mark and an empty line.
extern const char IniUtf8Prefix[5];

void IniClear(IniDocument& doc);

// Appends the entries of text (without the mark) to doc.Entries.
void IniParse(IniDocument& doc, const char* text, std::size_t length);

// Whole-file bytes: detects the mark, sets Utf8, parses the rest.
void IniLoad(IniDocument& doc, const char* bytes, std::size_t length);

bool IniNamesEqual(const std::string& a, const std::string& b);

std::string IniLatin1ToUtf8(const std::string& text);
// Empty when the bytes are not UTF-8 or hold a character above U+00FF.
std::string IniUtf8ToLatin1(const std::string& text);

std::string IniTrimBlanks(const std::string& text);
int IniScanInteger(const std::string& text);
std::string IniFormatInteger(int value);

// Null texts count as empty throughout.
bool IniSelectGroup(IniDocument& doc, const char* name);
// Null when nothing is found (also while a group is pending).
const IniEntry* IniFindKey(const IniDocument& doc, const char* key);
std::string IniReadText(const IniDocument& doc, const char* key, const char* defaultText);
int IniReadInteger(const IniDocument& doc, const char* key, int defaultValue);
void IniWriteText(IniDocument& doc, const char* key, const char* value);
void IniWriteInteger(IniDocument& doc, const char* key, int value);

// The written form goes into a buffer of exactly IniWrittenSize bytes, so that
// the caller can allocate it without throwing and skip the write on failure.
// IniTooLarge: the size does not fit in size_t.
const std::size_t IniTooLarge = static_cast<std::size_t>(-1);
std::size_t IniWrittenSize(const IniDocument& doc);
void IniWriteInto(const IniDocument& doc, char* out);
std::string IniWrittenForm(const IniDocument& doc);
