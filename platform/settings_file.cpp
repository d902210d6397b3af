#include "platform/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/paths.h"

namespace tarn {
namespace {

std::string Trim(const std::string& text) {
  size_t begin = text.find_first_not_of(" \t\r\n");
  if (begin == std::string::npos) return {};
  size_t end = text.find_last_not_of(" \t\r\n");
  return text.substr(begin, end - begin + 1);
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  if (in.bad()) return false;
  bytes = buffer.str();
  return true;
}

bool WriteFileAtomically(const std::string& path, const std::string& bytes) {
  auto slash = path.rfind('/');
  if (slash != std::string::npos && !EnsureFolder(path.substr(0, slash + 1))) return false;
  std::string temp = path + ".tmp-XXXXXX";
  int fd = ::mkstemp(temp.data());
  if (fd < 0) return false;
  const char* data = bytes.data();
  size_t left = bytes.size();
  bool ok = true;
  while (left > 0) {
    ssize_t written = ::write(fd, data, left);
    if (written < 0) {
      if (errno == EINTR) continue;
      ok = false;
      break;
    }
    data += written;
    left -= static_cast<size_t>(written);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  (void)::fchmod(fd, 0644);  // mkstemp gives 0600; data files are ordinary files
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

CSettingsFile::CSettingsFile(std::string path) : m_path(std::move(path)) {}

bool CSettingsFile::Load() {
  m_sections.clear();
  std::string bytes;
  if (!ReadWholeFile(m_path, bytes)) return false;
  std::istringstream in(bytes);
  std::string line;
  std::string section;
  while (std::getline(in, line)) {
    std::string trimmed = Trim(line);
    if (trimmed.empty() || trimmed[0] == ';' || trimmed[0] == '#') continue;
    if (trimmed.front() == '[' && trimmed.back() == ']') {
      section = Trim(trimmed.substr(1, trimmed.size() - 2));
      continue;
    }
    auto equals = trimmed.find('=');
    if (equals == std::string::npos) continue;
    m_sections[section][Trim(trimmed.substr(0, equals))] = Trim(trimmed.substr(equals + 1));
  }
  return true;
}

bool CSettingsFile::Save() const {
  std::string out;
  for (const auto& [section, values] : m_sections) {
    if (!section.empty()) out += "[" + section + "]\n";
    for (const auto& [key, value] : values) out += key + "=" + value + "\n";
  }
  return WriteFileAtomically(m_path, out);
}

std::optional<std::string> CSettingsFile::Get(const std::string& section, const std::string& key) const {
  auto s = m_sections.find(section);
  if (s == m_sections.end()) return std::nullopt;
  auto k = s->second.find(key);
  if (k == s->second.end()) return std::nullopt;
  return k->second;
}

std::string CSettingsFile::GetString(const std::string& section, const std::string& key,
                                     const std::string& fallback) const {
  return Get(section, key).value_or(fallback);
}

int CSettingsFile::GetInt(const std::string& section, const std::string& key, int fallback) const {
  auto value = Get(section, key);
  if (!value) return fallback;
  int result = 0;
  auto [end, error] = std::from_chars(value->data(), value->data() + value->size(), result);
  if (error != std::errc() || end != value->data() + value->size()) return fallback;
  return result;
}

void CSettingsFile::Set(const std::string& section, const std::string& key, const std::string& value) {
  std::string clean;
  for (char c : value) {
    if (c != '\n' && c != '\r') clean.push_back(c);
  }
  m_sections[section][key] = clean;
}

void CSettingsFile::SetInt(const std::string& section, const std::string& key, int value) {
  Set(section, key, std::to_string(value));
}

}  // namespace tarn
