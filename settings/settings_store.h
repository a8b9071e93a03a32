// The three user settings (program, parameters on/off, parameters) and their file
// Programm.ini in %APPDATA%\Quorvin\<product>\: made at the first start, loaded at
// start-up, saved when the main loop ends (and when the session ends).
#pragma once

#include <stdint.h>

#include <string>

const char SettingsFileName[] = "Programm.ini";
const char SettingsGroup[] = "Einstellungen";

void EnsureSettingsFolders(const char* product);
void CreateDefaultSettings(const char* product, const char* fileName);
void LoadSettings(const char* product, const char* fileName);
void SaveSettings(const char* product, const char* fileName);
// Writes back a settings file that a step left open; normally none is.
void CloseSettingsFile();

// The places, composed afresh from the application-data folder each time.
std::string MakerFolderPath(const std::string& appData);
std::string ProductFolderPath(const std::string& appData, const char* product);
std::string SettingsFilePath(const std::string& appData, const char* product, const char* fileName);

// An environment variable's value; empty when it is not set.
std::string ReadEnvironmentText(const char* name);

const int64_t PathMissing = -1;
const int64_t PathIsFolder = -2;
// The size of a file, PathMissing, or PathIsFolder for a folder or a drive root.
int64_t ProbePath(const char* path);
// Creates one folder level; false when that failed.
bool MakeFolder(const char* path);
