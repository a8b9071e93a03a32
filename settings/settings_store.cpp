#include "settings/settings_store.h"

#include <windows.h>

#include <vector>

#include "app/app_state.h"
#include "app/main_controls.h"
#include "settings/ini_file.h"

namespace {

const char MakerFolderName[] = "Quorvin";
const size_t ProbeLimit = 260;

IniFile SettingsFile;

std::string AppDataFolder() { return ReadEnvironmentText("appdata"); }

}  // namespace

std::string MakerFolderPath(const std::string& appData) { return appData + "\\" + MakerFolderName + "\\"; }

std::string ProductFolderPath(const std::string& appData, const char* product) {
  return MakerFolderPath(appData) + product + "\\";
}

std::string SettingsFilePath(const std::string& appData, const char* product, const char* fileName) {
  return ProductFolderPath(appData, product) + fileName;
}

std::string ReadEnvironmentText(const char* name) {
  DWORD size = GetEnvironmentVariableA(name, NULL, 0);
  std::vector<char> value(size ? size : 1, '\0');
  DWORD got = GetEnvironmentVariableA(name, value.data(), static_cast<DWORD>(value.size()));
  // The value may have changed between the two calls; never read past what was fetched.
  if (got >= value.size()) got = 0;
  return std::string(value.data(), got);
}

int64_t ProbePath(const char* path) {
  std::string p(path ? path : "");
  if (p.empty()) return PathMissing;
  if (p.size() > ProbeLimit) p.resize(ProbeLimit);
  if ((p.size() == 2 || p.size() == 3) && p[1] == ':') {
    if (p.size() == 2) p += '\\';
    return GetDriveTypeA(p.c_str()) > DRIVE_NO_ROOT_DIR ? PathIsFolder : PathMissing;
  }
  bool network = p.size() >= 2 && p[0] == '\\' && p[1] == '\\';
  while (!p.empty() && p.back() == '\\') p.pop_back();
  WIN32_FIND_DATAA found = {};
  HANDLE search = p.empty() ? INVALID_HANDLE_VALUE : FindFirstFileA(p.c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    int64_t result = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                         ? PathIsFolder
                         : static_cast<int64_t>((static_cast<uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow);
    FindClose(search);
    return result;
  }
  if (network) {
    DWORD attributes = GetFileAttributesA(p.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return PathIsFolder;
  }
  return PathMissing;
}

bool MakeFolder(const char* path) {
  std::string p(path ? path : "");
  if (p.size() > ProbeLimit) p.resize(ProbeLimit);
  while (!p.empty() && (p.back() == ' ' || p.back() == '\\' || p.back() == '/')) p.pop_back();
  return CreateDirectoryA(p.c_str(), NULL) != 0;
}

void EnsureSettingsFolders(const char* product) {
  std::string appData = AppDataFolder();
  std::string maker = MakerFolderPath(appData);
  if (ProbePath(maker.c_str()) != PathIsFolder) MakeFolder(maker.c_str());
  std::string folder = ProductFolderPath(appData, product);
  if (ProbePath(folder.c_str()) != PathIsFolder) MakeFolder(folder.c_str());
}

void CreateDefaultSettings(const char* product, const char* fileName) {
  std::string path = SettingsFilePath(AppDataFolder(), product, fileName);
  if (ProbePath(path.c_str()) != PathMissing) return;
  SettingsFile.Create(path.c_str());
  SettingsFile.SelectGroup(SettingsGroup);
  SettingsFile.WriteText("Programm", "");
  SettingsFile.WriteText("EnableParameter", "");
  SettingsFile.WriteText("Parameter", "");
  SettingsFile.Close();
}

void LoadSettings(const char* product, const char* fileName) {
  std::string path = SettingsFilePath(AppDataFolder(), product, fileName);
  SettingsFile.Open(path.c_str());
  SettingsFile.SelectGroup(SettingsGroup);
  App.ProgramPath = SettingsFile.ReadText("Programm", "");
  App.ParameterEnabled = SettingsFile.ReadInteger("EnableParameter", 0);
  App.ParameterText = SettingsFile.ReadText("Parameter", "");
  SettingsFile.Close();
}

void SaveSettings(const char* product, const char* fileName) {
  ReadParameterField();
  std::string path = SettingsFilePath(AppDataFolder(), product, fileName);
  SettingsFile.Open(path.c_str());
  SettingsFile.SelectGroup(SettingsGroup);
  SettingsFile.WriteText("Programm", App.ProgramPath.c_str());
  SettingsFile.WriteInteger("EnableParameter", App.ParameterEnabled);
  SettingsFile.WriteText("Parameter", App.ParameterText.c_str());
  SettingsFile.Close();
}

void CloseSettingsFile() { SettingsFile.Close(); }
