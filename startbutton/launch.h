// What a press on the Start button does: start the configured program in its own
// folder (the shell opens what is not a program), or tell the user none is set.
#pragma once

#include <string>

void HandleStartButtonClick();

// Starts file with parameters in directory (empty: inherit ours); does not wait.
// True when a program was started or the shell took the file.
bool LaunchProgram(const char* file, const char* parameters, const char* directory);

// The command line CreateProcessA gets: the file in double quotes (unless it
// already begins with one), then one blank and the parameters exactly as given.
std::string ComposeCommandLine(const char* file, const char* parameters);

// The folder part of a path with its trailing "\" or "/", after one leading
// double quote; empty when the path has no separator.
std::string DirectoryPart(const char* path);
