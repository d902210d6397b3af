#include "app/pages/known_device_list.h"

#include <gtest/gtest.h>

#include "app/pages/device_tables.h"

namespace tarn {
namespace {

DeviceIdentity Interface(uint16_t vid, uint16_t pid, uint16_t iface, uint16_t col, uint16_t page, uint16_t usage,
                         const std::string& path = "p") {
  DeviceIdentity id;
  id.VendorId = vid;
  id.ProductId = pid;
  id.Interface = iface;
  id.Collection = col;
  id.UsagePage = page;
  id.Usage = usage;
  id.Path = path;
  return id;
}

TEST(KnownDeviceList, AssignsOnlyExactlyMatchingInterfaces) {
  struct Case {
    const char* what;
    DeviceIdentity id;
    int row;
  };
  const Case cases[] = {
      {"cable command", Interface(0x320F, 0x5055, 1, 4, 0xFF1C, 0x92), 0},
      {"cable notification", Interface(0x320F, 0x5055, 1, 3, 0x0C, 0x01), 1},
      {"receiver command", Interface(0x320F, 0x5088, 1, 4, 0xFF1C, 0x92), 2},
      {"receiver notification", Interface(0x320F, 0x5088, 1, 3, 0x0C, 0x01), 3},
      {"interface 2", Interface(0x320F, 0x5055, 2, 4, 0xFF1C, 0x92), -1},
      {"wrong usage page", Interface(0x320F, 0x5055, 1, 4, 0xFF00, 0x92), -1},
      {"wrong usage", Interface(0x320F, 0x5055, 1, 4, 0xFF1C, 0x91), -1},
      {"other vendor", Interface(0x1234, 0x5055, 1, 4, 0xFF1C, 0x92), -1},
      {"collection 2", Interface(0x320F, 0x5055, 1, 2, 0xFF1C, 0x92), -1},
  };
  for (const Case& c : cases) {
    CKnownDeviceList list;
    DeviceIdentity id = c.id;
    const bool knownFree = list.IsKnownAndFree(id);
    EXPECT_EQ(knownFree, c.row >= 0 || std::string(c.what).find("usage") != std::string::npos) << c.what;
    EXPECT_EQ(list.AssignRow(id), c.row) << c.what;
    if (c.row < 0) continue;
    EXPECT_TRUE(list.Row(c.row).Connected) << c.what;
    EXPECT_EQ(list.Row(c.row).Path, "p") << c.what;
    EXPECT_EQ(id.DeviceType, list.Row(c.row).DeviceType) << c.what;
    EXPECT_EQ(id.Role, list.Row(c.row).Role) << c.what;
    // A second interface of the same identity finds no free row.
    DeviceIdentity again = c.id;
    EXPECT_FALSE(list.IsKnownAndFree(again)) << c.what;
    EXPECT_EQ(list.AssignRow(again), -1) << c.what;
    list.FreeRow(c.row);
    EXPECT_TRUE(list.IsKnownAndFree(again)) << c.what;
  }
}

TEST(KnownDeviceList, PartnersAndPages) {
  CKnownDeviceList list;
  EXPECT_FALSE(list.AllRowsAssigned());
  DeviceIdentity cable = Interface(0x320F, 0x5055, 1, 4, 0xFF1C, 0x92, "c");
  DeviceIdentity receiver = Interface(0x320F, 0x5088, 1, 4, 0xFF1C, 0x92, "r");
  ASSERT_EQ(list.AssignRow(cable), 0);
  EXPECT_FALSE(list.IsPartnerConnected(0));
  EXPECT_TRUE(list.IsPartnerConnected(2)) << "the receiver row sees its cable partner";
  ASSERT_EQ(list.AssignRow(receiver), 2);
  EXPECT_TRUE(list.IsPartnerConnected(0));
  EXPECT_TRUE(list.IsPartnerConnected(2));
  EXPECT_FALSE(list.IsPartnerConnected(1));  // its partner (row 3) is free
  EXPECT_FALSE(list.IsPartnerConnected(8));  // no partner at all

  // Every keyboard row leads to the cable command row, the page's identity.
  for (int row : {0, 1, 2, 3}) {
    const DeviceIdentity* id = list.CommandIdentityOfRow(row);
    ASSERT_NE(id, nullptr) << row;
    EXPECT_EQ(*id, list.Row(0)) << row;
    EXPECT_TRUE(list.HasDevicePage(row, {list.Row(0)})) << row;
    EXPECT_FALSE(list.HasDevicePage(row, {list.Row(4)})) << row;
  }
  // The mouse's receiver rows lead to the mouse's cable row.
  EXPECT_EQ(*list.CommandIdentityOfRow(7), list.Row(4));
  EXPECT_EQ(*list.CommandIdentityOfRow(10), list.Row(10));

  EXPECT_EQ(list.FindKnownRow(0x320F, 0x5088, 9, 0), 2);
  EXPECT_EQ(list.FindKnownRow(0x320F, 0x5088, 9, 255), 3);
  EXPECT_EQ(list.FindKnownRow(0x320F, 0x5055, 9, 0), -1);
}

TEST(DeviceTables, PageRowsAndLayouts) {
  EXPECT_EQ(FindPageRow(0x320F, 0x5055, 1, 0), 1);
  EXPECT_EQ(FindPageRow(0x320F, 0x0000, 2, 0), 0);
  EXPECT_EQ(FindPageRow(0x320F, 0x0000, 3, 0), 2);
  EXPECT_EQ(FindPageRow(0x0C76, 0x0000, 7, 0), 3);
  EXPECT_EQ(FindPageRow(0x320F, 0x5088, 9, 0), -1);  // the receiver has no page of its own
  EXPECT_EQ(FindPageRow(0x320F, 0x5055, 1, 255), -1);
  EXPECT_EQ(DeviceLayoutTable()[1].keyCount, 170);
  EXPECT_EQ(DeviceLayoutTable()[2].syncEnabled, false);
  EXPECT_STREQ(DevicePageTable()[3].folderName, "HD");
}

}  // namespace
}  // namespace tarn
