#pragma once
// The main window's copy of the known-device table: which rows are
// assigned to present interfaces, and the lookups found and lost need.
// Plain data; the discovery thread writes it only while the UI thread waits
// for a hand-over, or while the UI thread does not read it.
#include <functional>
#include <string>
#include <vector>

#include "device/device_identity.h"

namespace tarn {

class CKnownDeviceList {
 public:
  CKnownDeviceList();

  size_t Size() const { return m_rows.size(); }
  const DeviceIdentity& Row(size_t index) const { return m_rows[index]; }
  DeviceIdentity& Row(size_t index) { return m_rows[index]; }
  bool IsValidRow(int row) const { return row >= 0 && static_cast<size_t>(row) < m_rows.size(); }

  // Some table row has the identity's VendorId, ProductId, Collection and
  // Interface, and a list row with those four is free.
  bool IsKnownAndFree(const DeviceIdentity& identity) const;
  // Matches all six identifying values, copies DeviceType and Role into the
  // identity and assigns the first free equal row (Connected, Path). -1 when none.
  int AssignRow(DeviceIdentity& identity);
  // Frees a row (lost, or its link could not be opened).
  void FreeRow(int row);
  bool AllRowsAssigned() const;
  bool IsPartnerConnected(int row) const;
  int FindKnownRow(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role) const;
  // The command identity a device page of this row would carry: for a
  // command row the row (its partner for a receiver type with a mutual
  // partner); for a notification row the first command row of the same
  // device, likewise. Null when there is none.
  const DeviceIdentity* CommandIdentityOfRow(int row) const;
  // Whether some page identity (as `pageIdentities` gives them) equals it.
  bool HasDevicePage(int row, const std::vector<DeviceIdentity>& pageIdentities) const;

  static bool IsReceiverType(uint16_t type) { return type == kTypeKeyboardReceiver || type == kTypeMouseReceiver; }
  static bool IsCableType(uint16_t type) { return type == kTypeKeyboardCable || type == kTypeMouseCable; }

 private:
  static bool IsFree(const DeviceIdentity& row) { return !row.Connected && row.Path.empty(); }
  std::vector<DeviceIdentity> m_rows;
};

}  // namespace tarn
