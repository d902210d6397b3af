// The discovery thread's pass against a sysfs tree of our own making: what
// is found, lost, read and retried.
#include "app/pages/device_discovery.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "emulator/keyboard_report_descriptor.h"
#include "platform/paths.h"

namespace tarn {
namespace {

// A fake /sys/class/hidraw: hidrawN/device links to a HID device folder named
// by its HID id, holding the report descriptor, under a USB interface folder.
class CFakeSysfs {
 public:
  explicit CFakeSysfs(const std::string& name) {
    const char* home = std::getenv("TARN_TEST_HOME");
    m_root = std::string(home ? home : "/tmp") + "/" + name + "_" + std::to_string(::getpid());
    std::system(("rm -rf '" + m_root + "'").c_str());
    EnsureFolder(m_root + "/class");
  }
  std::string ClassFolder() const { return m_root + "/class"; }

  void AddNode(int n, const std::string& hidId, int interfaceNumber, const std::vector<uint8_t>& descriptor) {
    std::string device = m_root + "/devices/1-1:1." + std::to_string(interfaceNumber) + "/" + hidId;
    EnsureFolder(device);
    std::ofstream(device + "/report_descriptor", std::ios::binary)
        .write(reinterpret_cast<const char*>(descriptor.data()), static_cast<std::streamsize>(descriptor.size()));
    std::string node = ClassFolder() + "/hidraw" + std::to_string(n);
    EnsureFolder(node);
    ::unlink((node + "/device").c_str());
    ASSERT_EQ(::symlink(device.c_str(), (node + "/device").c_str()), 0);
  }
  void RemoveNode(int n) { std::system(("rm -rf '" + ClassFolder() + "/hidraw" + std::to_string(n) + "'").c_str()); }

 private:
  std::string m_root;
};

// The UI side as the discovery thread sees it: every hand-over is handled
// at once (or deferred), and recorded.
class CRecordingHost : public IDiscoveryHost {
 public:
  HandOverResult HandOver(uint32_t message, int row, const CStopEvent& stop) override {
    {
      std::lock_guard<std::mutex> lock(mutex);
      log.emplace_back(message, row);
    }
    if (blockUntilStop) {
      stop.Wait(-1);
      return HandOverResult::Stopped;
    }
    return defer ? HandOverResult::Deferred : HandOverResult::Handled;
  }
  void PostActivation() override { ++activations; }
  std::vector<std::pair<uint32_t, int>> Take() {
    std::lock_guard<std::mutex> lock(mutex);
    return std::exchange(log, {});
  }
  std::mutex mutex;
  std::vector<std::pair<uint32_t, int>> log;
  int activations = 0;
  bool defer = false;
  bool blockUntilStop = false;
};

using Log = std::vector<std::pair<uint32_t, int>>;

struct DiscoveryFixture : ::testing::Test {
  CFakeSysfs sysfs{::testing::UnitTest::GetInstance()->current_test_info()->name()};
  CKnownDeviceList list;
  CRecordingHost host;
  CStopEvent stop;
  std::unique_ptr<CDeviceDiscovery> discovery;
  void SetUp() override {
    discovery = std::make_unique<CDeviceDiscovery>(list, host,
                                                   std::make_unique<CHidScanner>(sysfs.ClassFolder(), "/dev"));
  }
};

TEST_F(DiscoveryFixture, FindsReadsOnceAndNoticesReplugAndRemoval) {
  const auto& keyboard = emu::KeyboardInterfaceDescriptor();
  sysfs.AddNode(5, "0003:320F:5055.000A", 1, keyboard);
  sysfs.AddNode(6, "0003:320F:5055.000B", 2, keyboard);  // interface 2: not ours
  for (int i = 0; i < 32; ++i) sysfs.AddNode(10 + i, "0003:046D:C52B.01" + std::to_string(10 + i), 0, keyboard);

  discovery->RunPass(stop);
  EXPECT_EQ(host.Take(), (Log{{0xC12, 1}, {0xC12, 0}}) ) << "collections 3 then 4 of hidraw5";
  EXPECT_EQ(list.Row(0).Path, "hid#vid_320f&pid_5055&mi_01&col04#/dev/hidraw5");
  EXPECT_EQ(host.activations, 1);
  const uint64_t reads = discovery->DescriptorReads();
  EXPECT_EQ(reads, 34u);

  for (int i = 0; i < 5; ++i) discovery->RunPass(stop);
  EXPECT_TRUE(host.Take().empty());
  EXPECT_EQ(discovery->DescriptorReads(), reads) << "known nodes are not read again";
  EXPECT_EQ(host.activations, 1);

  // Replugged between two passes: same node name, another HID id.
  sysfs.AddNode(5, "0003:320F:5055.000C", 1, keyboard);
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take(), (Log{{0xC13, 0}, {0xC13, 1}}));
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take(), (Log{{0xC12, 1}, {0xC12, 0}}));

  sysfs.RemoveNode(5);
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take(), (Log{{0xC13, 0}, {0xC13, 1}}));
  EXPECT_FALSE(list.Row(0).Connected);
  EXPECT_TRUE(list.Row(0).Path.empty());
}

TEST_F(DiscoveryFixture, OpenFailureRetriesAfterASecondAndDeferralRetriesNextPass) {
  sysfs.AddNode(5, "0003:320F:5055.000A", 1, emu::KeyboardInterfaceDescriptor());
  host.defer = true;
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take().size(), 2u);
  EXPECT_FALSE(list.Row(0).Connected) << "a deferred row is free again";
  host.defer = false;
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take().size(), 2u);

  // The UI could not open the command link: it frees the row and says so.
  const std::string path = list.Row(0).Path;
  list.FreeRow(0);
  discovery->NoteOpenFailed(path);
  EXPECT_TRUE(discovery->IsRetry(path));
  discovery->RunPass(stop);
  EXPECT_TRUE(host.Take().empty()) << "not tried again at once";
  std::this_thread::sleep_for(std::chrono::milliseconds(CDeviceDiscovery::kRetryOpenMs + 50));
  discovery->RunPass(stop);
  EXPECT_EQ(host.Take(), (Log{{0xC12, 0}}));
}

TEST(Discovery, EmptyOrFailedListingStillActivatesAndKeepsPolling) {
  for (bool broken : {false, true}) {
    CFakeSysfs sysfs(broken ? "broken" : "empty");
    std::string root = sysfs.ClassFolder();
    if (broken) {
      // A file where the class folder should be: the listing fails.
      std::system(("rm -rf '" + root + "' && touch '" + root + "'").c_str());
    }
    CKnownDeviceList list;
    CRecordingHost host;
    CDeviceDiscovery discovery(list, host, std::make_unique<CHidScanner>(root, "/dev"));
    discovery.Start();
    // Generous: a loaded machine may be slow, the loop ends as soon as it can.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (discovery.Passes() < 4 && std::chrono::steady_clock::now() < deadline)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_GE(discovery.Passes(), 4u) << broken;
    EXPECT_TRUE(discovery.IsRunning()) << broken;
    discovery.Stop();
    EXPECT_EQ(host.activations, 1) << broken;
    EXPECT_TRUE(host.Take().empty()) << broken;
  }
}

TEST_F(DiscoveryFixture, StopEndsAPendingHandOver) {
  sysfs.AddNode(5, "0003:320F:5055.000A", 1, emu::KeyboardInterfaceDescriptor());
  host.blockUntilStop = true;
  discovery->Start();
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(3);
  while (host.Take().empty() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  const auto start = std::chrono::steady_clock::now();
  discovery->Stop();
  EXPECT_FALSE(discovery->IsRunning());
  // A hand-over that ignored the stop would never return at all.
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(5000));
}

}  // namespace
}  // namespace tarn
