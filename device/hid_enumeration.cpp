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

}  // namespace

bool AppendNodeInterfaces(std::vector<HidInterfaceEntry>& entries, const std::string& node, uint16_t vendorId,
                          uint16_t productId, int interfaceNumber, const uint8_t* descriptor, size_t size) {
  HidReportDescriptor parsed;
  if (!ParseHidReportDescriptor(descriptor, size, parsed)) return false;
  size_t first = entries.size();
  for (const HidTopCollection& top : parsed.collections) {
    HidInterfaceEntry e;
    e.node = node;
    e.vendorId = vendorId;
    e.productId = productId;
    e.interfaceNumber = interfaceNumber;
    e.usagePage = top.usagePage;
    e.usage = top.usage;
    entries.push_back(std::move(e));
  }
  NumberCollections(entries, first);
  return true;
}

void AppendSourceInterfaces(std::vector<HidInterfaceEntry>& entries) {
  for (const HidNodeListing& node : ListSourceNodes()) {
    AppendNodeInterfaces(entries, node.name, node.info.vendorId, node.info.productId, node.info.interfaceNumber,
                         node.info.reportDescriptor.data(), node.info.reportDescriptor.size());
  }
}

bool EnumerateHidInterfaces(std::vector<HidInterfaceEntry>& entries) {
  entries.clear();
  bool ok = EnumerateHidraw(entries);
  AppendSourceInterfaces(entries);
  return ok;
}

}  // namespace tarn
