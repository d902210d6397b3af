#include "device/hid_node_source.h"

#include <algorithm>
#include <mutex>

namespace tarn {
namespace {

std::mutex& RegistryLock() {
  static std::mutex lock;
  return lock;
}

std::vector<IHidNodeSource*>& Registry() {
  static std::vector<IHidNodeSource*> sources;
  return sources;
}

}  // namespace

void RegisterHidNodeSource(IHidNodeSource* source) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  auto& sources = Registry();
  if (source && std::find(sources.begin(), sources.end(), source) == sources.end()) sources.push_back(source);
}

void UnregisterHidNodeSource(IHidNodeSource* source) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  auto& sources = Registry();
  sources.erase(std::remove(sources.begin(), sources.end(), source), sources.end());
}

std::vector<HidNodeListing> ListSourceNodes() {
  std::lock_guard<std::mutex> lock(RegistryLock());
  std::vector<HidNodeListing> all;
  for (IHidNodeSource* source : Registry()) {
    std::vector<HidNodeListing> nodes = source->ListNodes();
    for (HidNodeListing& node : nodes) all.push_back(std::move(node));
  }
  return all;
}

int OpenSourceNode(std::string_view name, HidNodeInfo& info) {
  std::lock_guard<std::mutex> lock(RegistryLock());
  for (IHidNodeSource* source : Registry())
    if (source->ServesNode(name)) return source->OpenNode(name, info);
  return -2;
}

}  // namespace tarn
