#pragma once
// Identity fields of a HID interface path, and how such a path is built.
//
// Interface paths look like "hid#vid_320f&pid_5055&mi_01&col04#/dev/hidraw3":
// the markers describe one top-level collection of one USB interface, the
// part after the second '#' names the node that carries it (a hidraw device
// or a virtual node).
#include <cstdint>
#include <string>
#include <string_view>

namespace tarn {

// Each returns the hexadecimal number after its marker (found in either
// case), 0 when the marker is absent.
uint16_t GetVidFromPath(std::string_view path);
uint16_t GetPidFromPath(std::string_view path);
uint16_t GetInterfaceFromPath(std::string_view path);
uint16_t GetCollectionFromPath(std::string_view path);

// interfaceNumber < 0 leaves "&mi_" out, collection 0 leaves "&col" out.
std::string MakeHidInterfacePath(uint16_t vendorId, uint16_t productId, int interfaceNumber,
                                 int collection, std::string_view node);

// The node part of an interface path; the whole path when it has no markers.
std::string NodeFromHidPath(std::string_view path);

}  // namespace tarn
