#include "tests/frames/documents.h"

#include <system_error>

#if defined(_WIN32)
#include <windows.h>
#include <shlobj.h>
#else
#include <cstdlib>
#include <string>
#endif

namespace frames {

#if defined(_WIN32)
std::filesystem::path PrepareDocumentsFolder() {
  wchar_t documents[MAX_PATH] = {};
  if (!SHGetSpecialFolderPathW(nullptr, documents, CSIDL_PERSONAL, TRUE)) return {};
  return std::filesystem::path(documents);
}

void ReleaseDocumentsFolder() {}
#else
namespace {
std::string temporaryHome;
}

std::filesystem::path PrepareDocumentsFolder() {
  std::error_code error;
  std::string pattern = (std::filesystem::temp_directory_path(error) / "mosaro-frames-XXXXXX").string();
  if (error || !mkdtemp(pattern.data())) return {};
  temporaryHome = pattern;
  setenv("HOME", temporaryHome.c_str(), 1);
  const std::filesystem::path documents = std::filesystem::path(temporaryHome) / "Documents";
  std::filesystem::create_directory(documents, error);
  return error ? std::filesystem::path() : documents;
}

void ReleaseDocumentsFolder() {
  std::error_code ignored;
  if (!temporaryHome.empty()) std::filesystem::remove_all(temporaryHome, ignored);
}
#endif

}  // namespace frames
