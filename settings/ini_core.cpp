#include "settings/ini_core.h"

#include <climits>
#include <cstdio>
#include <cstring>

const char IniUtf8Mark[3] = {'\xEF', '\xBB', '\xBF'};
const char IniUtf8Prefix[5] = {'\xEF', '\xBB', '\xBF', '\r', '\n'};

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == '\r' || c == '\n'; }

// Only A-Z fold: umlauts and every other byte must match exactly, whatever
// the code page or locale.
char FoldLetter(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

const char* Text(const char* s) { return s ? s : ""; }

std::string SystemToFile(const IniDocument& doc, const char* s) {
  return doc.Utf8 ? IniLatin1ToUtf8(Text(s)) : std::string(Text(s));
}

void ParseLine(IniDocument& doc, const char* line, std::size_t length) {
  std::size_t start = 0;
  while (start < length && IsBlank(line[start])) ++start;
  if (start == length) return;

  IniEntry entry;
  const char* rest = line + start;
  std::size_t restLength = length - start;
  if (rest[0] == ';') {
    std::size_t skip = (restLength > 1 && rest[1] == ' ') ? 2 : 1;
    entry.Kind = IniEntryKind::CommentLine;
    entry.Name.assign(rest + skip, restLength - skip);
  } else if (rest[0] == '[') {
    const void* close = std::memchr(rest + 1, ']', restLength - 1);
    std::size_t nameEnd = close ? static_cast<std::size_t>(static_cast<const char*>(close) - rest) : restLength;
    entry.Kind = IniEntryKind::GroupHeader;
    entry.Name.assign(rest + 1, nameEnd - 1);
  } else {
    const void* equals = std::memchr(rest, '=', restLength);
    std::size_t nameEnd = equals ? static_cast<std::size_t>(static_cast<const char*>(equals) - rest) : restLength;
    std::size_t trimmed = nameEnd;
    while (trimmed > 0 && IsBlank(rest[trimmed - 1])) --trimmed;
    entry.Kind = IniEntryKind::KeyValue;
    entry.Name.assign(rest, trimmed);
    if (equals) {
      std::size_t valueStart = nameEnd + 1;
      while (valueStart < restLength && IsBlank(rest[valueStart])) ++valueStart;
      entry.Value.assign(rest + valueStart, restLength - valueStart);
    }
  }
  doc.Entries.push_back(std::move(entry));
}

std::size_t FirstEntryOfSelection(const IniDocument& doc) {
  return doc.SelectedGroup == IniNoGroup ? 0 : doc.SelectedGroup + 1;
}

// The next header at or after from, or the end of the list.
std::size_t GroupEnd(const IniDocument& doc, std::size_t from) {
  std::size_t i = from;
  while (i < doc.Entries.size() && doc.Entries[i].Kind != IniEntryKind::GroupHeader) ++i;
  return i;
}

// key is already in the file's encoding; pending groups are the caller's concern.
std::size_t FindKeyInSelection(const IniDocument& doc, const std::string& key) {
  std::size_t end = GroupEnd(doc, FirstEntryOfSelection(doc));
  for (std::size_t i = FirstEntryOfSelection(doc); i < end; ++i) {
    const IniEntry& e = doc.Entries[i];
    if (e.Kind == IniEntryKind::KeyValue && IniNamesEqual(e.Name, key)) return i;
  }
  return IniNoGroup;
}

bool AddSize(std::size_t& total, std::size_t a, std::size_t b) {
  if (a > IniTooLarge - total) return false;
  total += a;
  if (b > IniTooLarge - total) return false;
  total += b;
  return true;
}

char* Put(char* out, const char* s, std::size_t n) {
  std::memcpy(out, s, n);
  return out + n;
}

char* Put(char* out, const std::string& s) { return Put(out, s.data(), s.size()); }

}  // namespace

void IniClear(IniDocument& doc) {
  doc.Entries.clear();
  doc.Entries.shrink_to_fit();
  doc.Utf8 = false;
  doc.SelectedGroup = IniNoGroup;
  doc.PendingGroup.clear();
}

void IniParse(IniDocument& doc, const char* text, std::size_t length) {
  // One slot per run of line ends, and a few for the keys that writes add:
  // growing the list step by step would move every entry again and again.
  std::size_t lines = 16;
  for (std::size_t k = 1; k < length; ++k) {
    if (IsLineEnd(text[k - 1]) && !IsLineEnd(text[k])) ++lines;
  }
  doc.Entries.reserve(doc.Entries.size() + lines);
  std::size_t i = 0;
  while (i < length) {
    std::size_t end = i;
    while (end < length && !IsLineEnd(text[end])) ++end;
    ParseLine(doc, text + i, end - i);
    i = end;
    while (i < length && IsLineEnd(text[i])) ++i;
  }
}

void IniLoad(IniDocument& doc, const char* bytes, std::size_t length) {
  if (length >= 3 && std::memcmp(bytes, IniUtf8Mark, 3) == 0) {
    doc.Utf8 = true;
    bytes += 3;
    length -= 3;
  }
  IniParse(doc, bytes, length);
}

bool IniNamesEqual(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldLetter(a[i]) != FoldLetter(b[i])) return false;
  }
  return true;
}

std::string IniLatin1ToUtf8(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    unsigned char b = static_cast<unsigned char>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 + b / 64);
      out += static_cast<char>(0x80 + b % 64);
    }
  }
  return out;
}

std::string IniUtf8ToLatin1(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  const std::size_t n = text.size();
  for (std::size_t i = 0; i < n;) {
    unsigned char lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80) {
      out += text[i];
      ++i;
      continue;
    }
    std::size_t follow;
    unsigned long code;
    if (lead >= 0xC0 && lead <= 0xDF) {
      follow = 1;
      code = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      follow = 2;
      code = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF7) {
      follow = 3;
      code = lead & 0x07;
    } else {
      return std::string();
    }
    for (std::size_t k = 1; k <= follow; ++k) {
      if (i + k >= n) return out;  // cut short by the end: dropped
      unsigned char next = static_cast<unsigned char>(text[i + k]);
      if (next < 0x80 || next > 0xBF) return std::string();
      code = code * 64 + (next & 0x3F);
    }
    // Overlong forms are not rejected: they still name a character.
    if (code > 0xFF) return std::string();
    out += static_cast<char>(code);
    i += follow + 1;
  }
  return out;
}

std::string IniTrimBlanks(const std::string& text) {
  std::size_t start = 0;
  std::size_t end = text.size();
  while (start < end && IsBlank(text[start])) ++start;
  while (end > start && IsBlank(text[end - 1])) --end;
  return text.substr(start, end - start);
}

// As "%d" reads it, but saturating at the int range instead of overflowing.
int IniScanInteger(const std::string& text) {
  const std::size_t n = text.size();
  std::size_t i = 0;
  while (i < n && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const long long limit = static_cast<long long>(INT_MAX) + 1;
  long long magnitude = 0;
  for (; i < n && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (magnitude <= limit) magnitude = magnitude * 10 + (text[i] - '0');
  }
  if (negative) return magnitude >= limit ? INT_MIN : static_cast<int>(-magnitude);
  return magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
}

std::string IniFormatInteger(int value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%i", value);
  return buffer;
}

bool IniSelectGroup(IniDocument& doc, const char* name) {
  if (Text(name)[0] == '\0') {
    doc.SelectedGroup = IniNoGroup;
    doc.PendingGroup.clear();
    return true;
  }
  std::string wanted = SystemToFile(doc, name);
  for (std::size_t i = 0; i < doc.Entries.size(); ++i) {
    const IniEntry& e = doc.Entries[i];
    if (e.Kind == IniEntryKind::GroupHeader && IniNamesEqual(e.Name, wanted)) {
      doc.SelectedGroup = i;
      doc.PendingGroup.clear();
      return true;
    }
  }
  doc.PendingGroup = wanted;
  return false;
}

const IniEntry* IniFindKey(const IniDocument& doc, const char* key) {
  if (!doc.PendingGroup.empty()) return nullptr;
  std::size_t i = FindKeyInSelection(doc, SystemToFile(doc, key));
  return i == IniNoGroup ? nullptr : &doc.Entries[i];
}

std::string IniReadText(const IniDocument& doc, const char* key, const char* defaultText) {
  const IniEntry* e = IniFindKey(doc, key);
  if (!e) return Text(defaultText);
  return IniTrimBlanks(doc.Utf8 ? IniUtf8ToLatin1(e->Value) : e->Value);
}

int IniReadInteger(const IniDocument& doc, const char* key, int defaultValue) {
  const IniEntry* e = IniFindKey(doc, key);
  if (!e) return defaultValue;
  return IniScanInteger(doc.Utf8 ? IniUtf8ToLatin1(e->Value) : e->Value);
}

void IniWriteText(IniDocument& doc, const char* key, const char* value) {
  std::string name = SystemToFile(doc, key);
  std::string text = SystemToFile(doc, value);
  if (!doc.PendingGroup.empty()) {
    IniEntry header;
    header.Kind = IniEntryKind::GroupHeader;
    header.Name.swap(doc.PendingGroup);
    doc.Entries.push_back(std::move(header));
    doc.SelectedGroup = doc.Entries.size() - 1;
  }
  std::size_t found = FindKeyInSelection(doc, name);
  if (found != IniNoGroup) {
    doc.Entries[found].Name.swap(name);
    doc.Entries[found].Value.swap(text);
    return;
  }
  IniEntry entry;
  entry.Kind = IniEntryKind::KeyValue;
  entry.Name.swap(name);
  entry.Value.swap(text);
  std::size_t at = GroupEnd(doc, FirstEntryOfSelection(doc));
  doc.Entries.insert(doc.Entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
}

void IniWriteInteger(IniDocument& doc, const char* key, int value) {
  IniWriteText(doc, key, IniFormatInteger(value).c_str());
}

std::size_t IniWrittenSize(const IniDocument& doc) {
  std::size_t total = doc.Utf8 ? sizeof IniUtf8Prefix : 0;
  for (const IniEntry& e : doc.Entries) {
    bool ok;
    switch (e.Kind) {
      case IniEntryKind::GroupHeader:
      case IniEntryKind::CommentLine:
        ok = AddSize(total, e.Name.size(), 4);
        break;
      default:
        ok = AddSize(total, e.Name.size(), 5) && AddSize(total, e.Value.size(), 0);
        break;
    }
    if (!ok) return IniTooLarge;
  }
  return total;
}

void IniWriteInto(const IniDocument& doc, char* out) {
  if (doc.Utf8) out = Put(out, IniUtf8Prefix, sizeof IniUtf8Prefix);
  for (const IniEntry& e : doc.Entries) {
    switch (e.Kind) {
      case IniEntryKind::GroupHeader:
        out = Put(out, "[", 1);
        out = Put(out, e.Name);
        out = Put(out, "]", 1);
        break;
      case IniEntryKind::CommentLine:
        out = Put(out, "; ", 2);
        out = Put(out, e.Name);
        break;
      default:
        out = Put(out, e.Name);
        out = Put(out, " = ", 3);
        out = Put(out, e.Value);
        break;
    }
    out = Put(out, "\r\n", 2);
  }
}

std::string IniWrittenForm(const IniDocument& doc) {
  std::size_t size = IniWrittenSize(doc);
  if (size == IniTooLarge) return std::string();
  std::string out(size, '\0');
  if (size > 0) IniWriteInto(doc, &out[0]);
  return out;
}
