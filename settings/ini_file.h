// IniFile: one preference file, loaded whole at Open or Create, changed in
// memory, written back whole at Close.
#pragma once

#include <windows.h>

#include <string>

#include "settings/ini_core.h"

struct IniFile : IniDocument {
  HANDLE Handle = INVALID_HANDLE_VALUE;
  // Where Close creates the file when Open found none and something was written.
  std::string BoundPath;
  bool HoldsBoundPath = false;
  bool Changed = false;

  IniFile() = default;
  IniFile(const IniFile&) = delete;
  IniFile& operator=(const IniFile&) = delete;
  ~IniFile();

  bool Create(const char* path);
  bool Open(const char* path);
  bool SelectGroup(const char* name);
  std::string ReadText(const char* key, const char* defaultText);
  int ReadInteger(const char* key, int defaultValue);
  void WriteText(const char* key, const char* value);
  void WriteInteger(const char* key, int value);
  void Close();
};
