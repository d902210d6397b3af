#include "platform/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

namespace tarn {
namespace {

std::string WithSlash(std::string path) {
  if (path.empty() || path.back() != '/') path.push_back('/');
  return path;
}

std::string EnvOr(const char* name, const std::string& fallback) {
  const char* value = std::getenv(name);
  if (value != nullptr && value[0] == '/') return value;
  return fallback;
}

std::string Home() {
  const char* home = std::getenv("HOME");
  return home != nullptr && home[0] != '\0' ? home : "/tmp";
}

}  // namespace

std::string ExecutablePath() {
  std::string buffer(PATH_MAX, '\0');
  ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return {};
  buffer.resize(static_cast<size_t>(length));
  return buffer;
}

std::string ProgramFolder() {
  const char* override_dir = std::getenv("TARN_DATA_DIR");
  if (override_dir != nullptr && override_dir[0] != '\0') return WithSlash(override_dir);
  std::string exe = ExecutablePath();
  auto slash = exe.rfind('/');
  if (slash != std::string::npos) {
    std::string folder = exe.substr(0, slash + 1);
    if (FolderExists(folder + "skin") || FolderExists(folder + "DefaultData")) return folder;
  }
  return "/usr/share/tarn/";
}

std::string UserDataFolder() {
  return WithSlash(EnvOr("XDG_DATA_HOME", Home() + "/.local/share")) + "Tarn/";
}

std::string SettingsFolder() {
  return WithSlash(EnvOr("XDG_CONFIG_HOME", Home() + "/.config")) + "Tarn/";
}

std::string RuntimeFolder() {
  return WithSlash(EnvOr("XDG_RUNTIME_DIR", "/tmp/tarn-" + std::to_string(::getuid())));
}

bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool EnsureFolder(const std::string& path) {
  if (path.empty()) return false;
  if (FolderExists(path)) return true;
  std::string partial;
  size_t start = 0;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    partial = path.substr(0, slash);
    if (!partial.empty() && !FolderExists(partial)) {
      if (::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    start = slash + 1;
  }
  return FolderExists(path);
}

std::string JoinPath(const std::string& folder, const std::string& relative) {
  std::string rel = relative;
  for (char& c : rel) {
    if (c == '\\') c = '/';
  }
  if (!rel.empty() && rel.front() == '/') return rel;
  return WithSlash(folder) + rel;
}

}  // namespace tarn
