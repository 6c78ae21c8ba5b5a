// A temporary home folder for tests: HOME points at it while it lives, so the documents folder is its Documents.
#pragma once

#include <sys/stat.h>
#include <sys/time.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include <unistd.h>

#include "tests/support/temp_folder.h"

namespace test {

class DocumentsFolder {
 public:
  DocumentsFolder() : home(folder.Path()) {
    const char* old = std::getenv("HOME");
    hadHome = old != nullptr;
    if (hadHome) oldHome = old;
    setenv("HOME", home.c_str(), 1);
    documents = home + "/Documents";
    mkdir(documents.c_str(), 0755);
  }
  DocumentsFolder(const DocumentsFolder&) = delete;
  DocumentsFolder& operator=(const DocumentsFolder&) = delete;
  ~DocumentsFolder() {
    if (hadHome) setenv("HOME", oldHome.c_str(), 1);
    else unsetenv("HOME");
  }

  // The preset folder of a host folder, created on demand.
  std::string PresetFolder(const std::string& hostFolder) const {
    std::string host = documents + "/" + hostFolder;
    mkdir(host.c_str(), 0755);
    mkdir((host + "/Presets").c_str(), 0755);
    mkdir((host + "/Presets/Advanced Output").c_str(), 0755);
    return host + "/Presets/Advanced Output";
  }

  // Writes a preset file and sets its last-write time (milliseconds since 1970); returns its path.
  std::string WritePreset(const std::string& hostFolder, const std::string& fileName, const std::string& text,
                          int64_t modifiedMs) const {
    std::string path = PresetFolder(hostFolder) + "/" + fileName;
    std::ofstream(path, std::ios::binary) << text;
    SetModified(path, modifiedMs);
    return path;
  }

  static void SetModified(const std::string& path, int64_t modifiedMs) {
    struct timeval times[2];
    times[0].tv_sec = times[1].tv_sec = static_cast<time_t>(modifiedMs / 1000);
    times[0].tv_usec = times[1].tv_usec = static_cast<suseconds_t>((modifiedMs % 1000) * 1000);
    utimes(path.c_str(), times);
  }

  const std::string& Home() const { return home; }
  const std::string& Documents() const { return documents; }

 private:
  TempFolder folder;
  std::string home;
  std::string documents;
  std::string oldHome;
  bool hadHome = false;
};

}  // namespace test
