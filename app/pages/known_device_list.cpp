#include "app/pages/known_device_list.h"

namespace tarn {
namespace {

bool SameFour(const DeviceIdentity& a, const DeviceIdentity& b) {
  return a.VendorId == b.VendorId && a.ProductId == b.ProductId && a.Collection == b.Collection &&
         a.Interface == b.Interface;
}
bool SameSix(const DeviceIdentity& a, const DeviceIdentity& b) {
  return SameFour(a, b) && a.UsagePage == b.UsagePage && a.Usage == b.Usage;
}

}  // namespace

CKnownDeviceList::CKnownDeviceList() {
  for (const DeviceIdentity& row : KnownDeviceTable()) {
    m_rows.push_back(row);
    m_rows.back().Connected = 0;
    m_rows.back().Path.clear();
  }
}

bool CKnownDeviceList::IsKnownAndFree(const DeviceIdentity& identity) const {
  bool known = false;
  for (const DeviceIdentity& row : KnownDeviceTable())
    if (SameFour(row, identity)) known = true;
  if (!known) return false;
  for (const DeviceIdentity& row : m_rows)
    if (SameFour(row, identity) && IsFree(row)) return true;
  return false;
}

int CKnownDeviceList::AssignRow(DeviceIdentity& identity) {
  const DeviceIdentity* match = nullptr;
  for (const DeviceIdentity& row : KnownDeviceTable())
    if (SameSix(row, identity)) {
      match = &row;
      break;
    }
  if (!match) return -1;
  identity.DeviceType = match->DeviceType;
  identity.Role = match->Role;
  for (size_t i = 0; i < m_rows.size(); ++i) {
    DeviceIdentity& row = m_rows[i];
    if (row == identity && IsFree(row)) {
      row.Connected = 1;
      row.Path = identity.Path;
      return static_cast<int>(i);
    }
  }
  return -1;
}

void CKnownDeviceList::FreeRow(int row) {
  if (!IsValidRow(row)) return;
  m_rows[static_cast<size_t>(row)].Connected = 0;
  m_rows[static_cast<size_t>(row)].Path.clear();
}

bool CKnownDeviceList::AllRowsAssigned() const {
  for (const DeviceIdentity& row : m_rows)
    if (IsFree(row)) return false;
  return true;
}

bool CKnownDeviceList::IsPartnerConnected(int row) const {
  if (!IsValidRow(row)) return false;
  const DeviceIdentity& self = m_rows[static_cast<size_t>(row)];
  if (!self.HasPartner || !IsValidRow(self.Partner)) return false;
  const DeviceIdentity& partner = m_rows[self.Partner];
  return partner.Connected && !partner.Path.empty() && partner.Partner == row;
}

int CKnownDeviceList::FindKnownRow(uint16_t vendorId, uint16_t productId, uint16_t deviceType, uint16_t role) const {
  for (size_t i = 0; i < m_rows.size(); ++i) {
    const DeviceIdentity& r = m_rows[i];
    if (r.VendorId == vendorId && r.ProductId == productId && r.DeviceType == deviceType && r.Role == role)
      return static_cast<int>(i);
  }
  return -1;
}

const DeviceIdentity* CKnownDeviceList::CommandIdentityOfRow(int row) const {
  if (!IsValidRow(row)) return nullptr;
  int command = row;
  const DeviceIdentity& self = m_rows[static_cast<size_t>(row)];
  if (self.Role != kRoleCommand) {
    command = -1;
    for (size_t i = 0; i < m_rows.size(); ++i) {
      const DeviceIdentity& r = m_rows[i];
      if (r.Role == kRoleCommand && r.VendorId == self.VendorId && r.ProductId == self.ProductId &&
          r.DeviceType == self.DeviceType) {
        command = static_cast<int>(i);
        break;
      }
    }
    if (command < 0) return nullptr;
  }
  const DeviceIdentity& c = m_rows[static_cast<size_t>(command)];
  if (IsReceiverType(c.DeviceType) && c.HasPartner && IsValidRow(c.Partner) && m_rows[c.Partner].Partner == command)
    return &m_rows[c.Partner];
  return &c;
}

bool CKnownDeviceList::HasDevicePage(int row, const std::vector<DeviceIdentity>& pageIdentities) const {
  const DeviceIdentity* identity = CommandIdentityOfRow(row);
  if (!identity) return false;
  for (const DeviceIdentity& page : pageIdentities)
    if (page == *identity) return true;
  return false;
}

}  // namespace tarn
