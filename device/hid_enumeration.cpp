#include "device/hid_enumeration.h"

#include <hidapi/hidapi.h>

#include <map>
#include <mutex>

#include "device/hid_node_source.h"
#include "device/hid_path.h"
#include "device/hid_report_descriptor.h"

namespace tarn {
namespace {

// Collections are numbered per node as listed; a node with one collection
// carries no collection marker (as with a single-collection interface).
void NumberCollections(std::vector<HidInterfaceEntry>& entries, size_t first) {
  std::map<std::string, int> perNode;
  for (size_t i = first; i < entries.size(); ++i) ++perNode[entries[i].node];
  std::map<std::string, int> next;
  for (size_t i = first; i < entries.size(); ++i) {
    HidInterfaceEntry& e = entries[i];
    e.collection = perNode[e.node] > 1 ? ++next[e.node] : 0;
    e.path = MakeHidInterfacePath(e.vendorId, e.productId, e.interfaceNumber, e.collection, e.node);
  }
}

bool EnumerateHidraw(std::vector<HidInterfaceEntry>& entries) {
  static std::once_flag once;
  static bool initialised = false;
  std::call_once(once, [] { initialised = hid_init() == 0; });
  if (!initialised) return false;
  hid_device_info* list = hid_enumerate(0, 0);
  size_t first = entries.size();
  for (hid_device_info* d = list; d; d = d->next) {
    if (!d->path) continue;
    HidInterfaceEntry e;
    e.node = d->path;
    e.vendorId = d->vendor_id;
    e.productId = d->product_id;
    e.interfaceNumber = d->interface_number;
    e.usagePage = d->usage_page;
    e.usage = d->usage;
    entries.push_back(std::move(e));
  }
  hid_free_enumeration(list);
  NumberCollections(entries, first);
  return true;
}

void EnumerateSources(std::vector<HidInterfaceEntry>& entries) {
  size_t first = entries.size();
  for (const HidNodeListing& node : ListSourceNodes()) {
    HidReportDescriptor descriptor;
    if (!ParseHidReportDescriptor(node.info.reportDescriptor.data(), node.info.reportDescriptor.size(),
                                  descriptor))
      continue;
    for (const HidTopCollection& top : descriptor.collections) {
      HidInterfaceEntry e;
      e.node = node.name;
      e.vendorId = node.info.vendorId;
      e.productId = node.info.productId;
      e.interfaceNumber = node.info.interfaceNumber;
      e.usagePage = top.usagePage;
      e.usage = top.usage;
      entries.push_back(std::move(e));
    }
  }
  NumberCollections(entries, first);
}

}  // namespace

bool EnumerateHidInterfaces(std::vector<HidInterfaceEntry>& entries) {
  entries.clear();
  bool ok = EnumerateHidraw(entries);
  EnumerateSources(entries);
  return ok;
}

}  // namespace tarn
