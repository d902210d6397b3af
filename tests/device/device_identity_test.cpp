#include "device/device_identity.h"

#include <gtest/gtest.h>

namespace tarn {
namespace {

TEST(DeviceIdentity, KnownTableRowsAndPartners) {
  const auto& table = KnownDeviceTable();
  ASSERT_EQ(table.size(), 11u);
  // The keyboard's four interfaces.
  struct Row {
    uint16_t pid, collection, type, role, page, usage, partner;
  } keyboard[] = {{0x5055, 4, 1, 0, 0xFF1C, 0x92, 2},
                  {0x5055, 3, 1, 255, 0x0C, 0x01, 3},
                  {0x5088, 4, 9, 0, 0xFF1C, 0x92, 0},
                  {0x5088, 3, 9, 255, 0x0C, 0x01, 1}};
  for (size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    const DeviceIdentity& r = table[i];
    EXPECT_EQ(r.VendorId, 0x320F);
    EXPECT_EQ(r.ProductId, keyboard[i].pid);
    EXPECT_EQ(r.Interface, 1);
    EXPECT_EQ(r.Collection, keyboard[i].collection);
    EXPECT_EQ(r.DeviceType, keyboard[i].type);
    EXPECT_EQ(r.Role, keyboard[i].role);
    EXPECT_EQ(r.UsagePage, keyboard[i].page);
    EXPECT_EQ(r.Usage, keyboard[i].usage);
    EXPECT_EQ(r.Partner, keyboard[i].partner);
  }
  for (size_t i = 0; i < table.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(table[i].Connected, 0);
    EXPECT_TRUE(table[i].Path.empty());
    if (i >= 4) {
      EXPECT_EQ(table[i].ProductId, 0);  // dormant classes match nothing
    }
    if (table[i].HasPartner) {
      EXPECT_EQ(table[table[i].Partner].Partner, i);  // partners point at each other
    }
  }
  EXPECT_EQ(table[10].VendorId, 0x0C76);
  EXPECT_EQ(table[10].Interface, 3);
}

TEST(DeviceIdentity, EqualityIgnoresRunTimeFields) {
  DeviceIdentity a = KnownDeviceTable()[0];
  DeviceIdentity b = a;
  b.Connected = 1;
  b.Path = "hid#x";
  b.HasPartner = 0;
  b.Partner = 7;
  EXPECT_EQ(a, b);
  for (int field = 0; field < 8; ++field) {
    DeviceIdentity c = a;
    uint16_t* fields[] = {&c.VendorId, &c.ProductId, &c.Interface, &c.Collection,
                          &c.DeviceType, &c.Role, &c.UsagePage, &c.Usage};
    *fields[field] ^= 1;
    EXPECT_NE(a, c) << field;
  }
}

}  // namespace
}  // namespace tarn
