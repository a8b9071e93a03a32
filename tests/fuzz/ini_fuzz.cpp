// libFuzzer target over the preference-file text core. Every input is read as
// a whole file; the written form must read back to the same entries and write
// the same bytes again. Then a few reads and writes taken from the input's own
// bytes are applied and the result is checked the same way.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/ini_core.h"

namespace {

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "ini_fuzz: %s\n", what);
  std::abort();
}

IniDocument Reload(const std::string& bytes) {
  IniDocument doc;
  IniLoad(doc, bytes.data(), bytes.size());
  return doc;
}

bool SameEntries(const IniDocument& a, const IniDocument& b) {
  if (a.Entries.size() != b.Entries.size()) return false;
  for (std::size_t i = 0; i < a.Entries.size(); ++i) {
    const IniEntry& x = a.Entries[i];
    const IniEntry& y = b.Entries[i];
    if (x.Kind != y.Kind || x.Name != y.Name || x.Value != y.Value) return false;
  }
  return true;
}

bool BeginsWithMark(const std::string& s) { return s.size() >= 3 && std::memcmp(s.data(), IniUtf8Mark, 3) == 0; }

// doc must hold only what a parse can produce (as after IniLoad, or after
// writes of texts that a parse could have produced).
void CheckFixedPoint(const IniDocument& doc) {
  const std::string written = IniWrittenForm(doc);
  Require(written.size() == IniWrittenSize(doc), "written size differs from the size computed beforehand");
  IniDocument again = Reload(written);
  const std::string rewritten = IniWrittenForm(again);
  if (!doc.Utf8 && BeginsWithMark(written)) {
    // A file without the mark whose first entry starts with the mark's bytes
    // reads back as a UTF-8 file: the format has no way to tell them apart.
    // From there on it must be stable.
    Require(again.Utf8, "leading mark bytes not read as the mark");
    Require(IniWrittenForm(Reload(rewritten)) == rewritten, "UTF-8 rewrite is not stable");
    return;
  }
  Require(again.Utf8 == doc.Utf8, "mark lost or gained");
  Require(SameEntries(doc, again), "written form reads back as other entries");
  Require(rewritten == written, "written form is not a fixed point");
}

// A text as a file line could have held it in this position.
std::string Clean(std::string s, const char* forbidden, bool trimLeading, bool trimTrailing) {
  std::string out;
  for (char c : s) {
    if (c != '\r' && c != '\n' && c != '\0' && !std::strchr(forbidden, c)) out += c;
  }
  std::size_t start = 0;
  if (trimLeading) {
    while (start < out.size() && (out[start] == ' ' || out[start] == '\t')) ++start;
  }
  std::size_t end = out.size();
  if (trimTrailing) {
    while (end > start && (out[end - 1] == ' ' || out[end - 1] == '\t')) --end;
  }
  return out.substr(start, end - start);
}

std::string CleanKey(const std::string& s) {
  std::string k = Clean(s, "=", true, true);
  if (!k.empty() && (k[0] == ';' || k[0] == '[')) k.insert(k.begin(), 'k');
  return k;
}

// Either the name of an existing entry, so that lookups hit, or fresh bytes.
std::string PickName(FuzzedDataProvider& in, const IniDocument& doc) {
  if (!doc.Entries.empty() && in.ConsumeBool()) {
    const IniEntry& e = doc.Entries[in.ConsumeIntegralInRange<std::size_t>(0, doc.Entries.size() - 1)];
    // Names in a UTF-8 file are UTF-8; the calls take system text.
    std::string name = doc.Utf8 ? IniUtf8ToLatin1(e.Name) : e.Name;
    return name.c_str();
  }
  // The calls take zero-terminated text.
  return in.ConsumeRandomLengthString(24).c_str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const char* bytes = reinterpret_cast<const char*>(data);
  IniDocument doc;
  IniLoad(doc, bytes, size);
  CheckFixedPoint(doc);

  FuzzedDataProvider in(data, size);
  bool clean = in.ConsumeBool();
  int operations = in.ConsumeIntegralInRange<int>(1, 8);
  for (int i = 0; i < operations && in.remaining_bytes() > 0; ++i) {
    switch (in.ConsumeIntegralInRange<int>(0, 3)) {
      case 0: {
        std::string name = PickName(in, doc);
        if (clean) name = Clean(name, "]", false, false);
        bool found = IniSelectGroup(doc, name.c_str());
        Require(found == doc.PendingGroup.empty(), "SelectGroup result and pending group disagree");
        if (name.empty()) {
          Require(found && doc.SelectedGroup == IniNoGroup, "the empty name does not select the unnamed area");
          break;
        }
        std::string wanted = doc.Utf8 ? IniLatin1ToUtf8(name) : name;
        std::size_t first = IniNoGroup;
        for (std::size_t k = 0; k < doc.Entries.size() && first == IniNoGroup; ++k) {
          if (doc.Entries[k].Kind == IniEntryKind::GroupHeader && IniNamesEqual(doc.Entries[k].Name, wanted)) first = k;
        }
        Require(found == (first != IniNoGroup), "SelectGroup disagrees with a scan of the headers");
        Require(!found || doc.SelectedGroup == first, "SelectGroup did not take the first equal header");
        break;
      }
      case 1: {
        std::string key = PickName(in, doc);
        std::string value = in.ConsumeRandomLengthString(24).c_str();
        if (clean) {
          key = CleanKey(key);
          value = Clean(value, "", true, false);
        }
        IniWriteText(doc, key.c_str(), value.c_str());
        Require(doc.PendingGroup.empty(), "a write left the group pending");
        Require(IniReadText(doc, key.c_str(), "\x01") == IniTrimBlanks(value),
                "a written value does not read back");
        break;
      }
      case 2: {
        std::string key = PickName(in, doc);
        if (clean) key = CleanKey(key);
        int value = in.ConsumeIntegral<int>();
        IniWriteInteger(doc, key.c_str(), value);
        Require(IniReadInteger(doc, key.c_str(), value ^ 1) == value, "a written integer does not read back");
        break;
      }
      default: {
        std::string key = PickName(in, doc);
        std::string text = IniReadText(doc, key.c_str(), nullptr);
        Require(IniTrimBlanks(text) == text, "a read value is not trimmed");
        IniReadInteger(doc, key.c_str(), 0);
        break;
      }
    }
  }
  if (clean) {
    CheckFixedPoint(doc);
  } else {
    CheckFixedPoint(Reload(IniWrittenForm(doc)));
  }
  return 0;
}
