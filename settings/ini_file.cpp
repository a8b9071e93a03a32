#include "settings/ini_file.h"

#include <cstdlib>
#include <cstring>

namespace {

const char* PathText(const char* path) { return path ? path : ""; }

HANDLE OpenFileForSettings(const char* path, DWORD access, DWORD disposition) {
  return CreateFileA(path, access, FILE_SHARE_READ, NULL, disposition, FILE_ATTRIBUTE_NORMAL, NULL);
}

// The whole text is built before the file is touched: when memory runs out,
// nothing is written and the file keeps its old contents.
void WriteWhole(HANDLE handle, const IniDocument& doc) {
  std::size_t size = IniWrittenSize(doc);
  if (size == IniTooLarge || size > MAXDWORD) return;
  char* text = static_cast<char*>(std::malloc(size ? size : 1));
  if (!text) return;
  IniWriteInto(doc, text);
  SetFilePointer(handle, 0, NULL, FILE_BEGIN);
  DWORD written = 0;
  WriteFile(handle, text, static_cast<DWORD>(size), &written, NULL);
  SetEndOfFile(handle);
  std::free(text);
}

}  // namespace

IniFile::~IniFile() {
  // Writing back is Close's job; here only the handle must not outlive us.
  if (Handle != INVALID_HANDLE_VALUE) CloseHandle(Handle);
}

bool IniFile::Create(const char* path) {
  Close();
  Handle = OpenFileForSettings(PathText(path), GENERIC_READ | GENERIC_WRITE, CREATE_ALWAYS);
  return Handle != INVALID_HANDLE_VALUE;
}

bool IniFile::Open(const char* path) {
  Close();
  HANDLE h = OpenFileForSettings(PathText(path), GENERIC_READ | GENERIC_WRITE, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) h = OpenFileForSettings(PathText(path), GENERIC_READ, OPEN_EXISTING);
  if (h == INVALID_HANDLE_VALUE) {
    BoundPath = PathText(path);
    HoldsBoundPath = true;
    Utf8 = false;
    return false;
  }

  DWORD size = GetFileSize(h, NULL);
  if (size >= 3) {
    char mark[3];
    DWORD got = 0;
    if (ReadFile(h, mark, 3, &got, NULL) && got == 3 && std::memcmp(mark, IniUtf8Mark, 3) == 0) {
      Utf8 = true;
      size -= 3;
    } else {
      SetFilePointer(h, 0, NULL, FILE_BEGIN);
    }
  }
  if (size > 0) {
    char* buffer = static_cast<char*>(std::malloc(size));
    if (!buffer) {
      // Holding the file without its entries would let Close overwrite it,
      // so give it up entirely: every later call is without effect.
      CloseHandle(h);
      Utf8 = false;
      return false;
    }
    DWORD got = 0;
    ReadFile(h, buffer, size, &got, NULL);
    IniParse(*this, buffer, got);
    std::free(buffer);
  }
  Handle = h;
  return true;
}

bool IniFile::SelectGroup(const char* name) {
  if (Handle == INVALID_HANDLE_VALUE && !HoldsBoundPath) return false;
  return IniSelectGroup(*this, name);
}

std::string IniFile::ReadText(const char* key, const char* defaultText) {
  if (Handle == INVALID_HANDLE_VALUE && !HoldsBoundPath) return defaultText ? defaultText : "";
  return IniReadText(*this, key, defaultText);
}

int IniFile::ReadInteger(const char* key, int defaultValue) {
  if (Handle == INVALID_HANDLE_VALUE && !HoldsBoundPath) return defaultValue;
  return IniReadInteger(*this, key, defaultValue);
}

void IniFile::WriteText(const char* key, const char* value) {
  if (Handle == INVALID_HANDLE_VALUE && !HoldsBoundPath) return;
  IniWriteText(*this, key, value);
  Changed = true;
}

void IniFile::WriteInteger(const char* key, int value) {
  WriteText(key, IniFormatInteger(value).c_str());
}

void IniFile::Close() {
  if (Changed && Handle == INVALID_HANDLE_VALUE && HoldsBoundPath) {
    Handle = OpenFileForSettings(BoundPath.c_str(), GENERIC_READ | GENERIC_WRITE, OPEN_ALWAYS);
  }
  if (Handle != INVALID_HANDLE_VALUE) {
    if (Changed) WriteWhole(Handle, *this);
    CloseHandle(Handle);
  }
  Handle = INVALID_HANDLE_VALUE;
  BoundPath.clear();
  BoundPath.shrink_to_fit();
  HoldsBoundPath = false;
  Changed = false;
  IniClear(*this);
}
