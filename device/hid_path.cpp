#include "device/hid_path.h"

#include <cctype>
#include <cstdio>

namespace tarn {
namespace {

uint16_t HexAfterMarker(std::string_view path, std::string_view marker) {
  if (path.size() < marker.size()) return 0;
  for (size_t i = 0; i + marker.size() <= path.size(); ++i) {
    bool match = true;
    for (size_t k = 0; k < marker.size() && match; ++k)
      match = std::tolower(static_cast<unsigned char>(path[i + k])) == marker[k];
    if (!match) continue;
    uint32_t value = 0;
    for (size_t k = i + marker.size(); k < path.size(); ++k) {
      int c = std::tolower(static_cast<unsigned char>(path[k]));
      int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (digit < 0) break;
      value = ((value << 4) | static_cast<uint32_t>(digit)) & 0xFFFFu;
    }
    return static_cast<uint16_t>(value);
  }
  return 0;
}

constexpr std::string_view kPathPrefix = "hid#";

}  // namespace

uint16_t GetVidFromPath(std::string_view path) { return HexAfterMarker(path, "vid_"); }
uint16_t GetPidFromPath(std::string_view path) { return HexAfterMarker(path, "pid_"); }
uint16_t GetInterfaceFromPath(std::string_view path) { return HexAfterMarker(path, "&mi_"); }
uint16_t GetCollectionFromPath(std::string_view path) { return HexAfterMarker(path, "&col"); }

std::string MakeHidInterfacePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                                 int collection, std::string_view node) {
  char ids[64];
  int n = std::snprintf(ids, sizeof ids, "vid_%04x&pid_%04x", vendorId, productId);
  std::string path(kPathPrefix);
  path.append(ids, static_cast<size_t>(n));
  if (interfaceNumber >= 0) {
    n = std::snprintf(ids, sizeof ids, "&mi_%02x", interfaceNumber & 0xFF);
    path.append(ids, static_cast<size_t>(n));
  }
  if (collection > 0) {
    n = std::snprintf(ids, sizeof ids, "&col%02x", collection & 0xFF);
    path.append(ids, static_cast<size_t>(n));
  }
  path += '#';
  path.append(node);
  return path;
}

std::string NodeFromHidPath(std::string_view path) {
  if (path.size() < kPathPrefix.size()) return std::string(path);
  for (size_t k = 0; k < kPathPrefix.size(); ++k)
    if (std::tolower(static_cast<unsigned char>(path[k])) != kPathPrefix[k]) return std::string(path);
  size_t hash = path.find('#', kPathPrefix.size());
  if (hash == std::string_view::npos) return std::string(path);
  return std::string(path.substr(hash + 1));
}

}  // namespace tarn
