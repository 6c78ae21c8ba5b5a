// Text and files the same way on every platform: arguments, paths and console output are UTF-8; Windows
// reaches files through its wide-character APIs.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace caller {

// The program's arguments as UTF-8 texts (on Windows taken from the wide command line, not argv).
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// Lets a console show UTF-8 output (Windows); nothing elsewhere.
void UseUtf8Console();

// Opens a file named by a UTF-8 path, as std::fopen does; null with errno set on failure.
std::FILE* OpenFile(const std::string& utf8Path, const char* mode);

// The path of fileName in the folder that holds the running program.
std::string BesideProgram(const std::string& fileName);

}  // namespace caller
