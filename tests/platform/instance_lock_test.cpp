#include "platform/instance_lock.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tarn {
namespace {

TEST(InstanceLock, SecondHolderIsRefusedUntilReleased) {
  CInstanceLock first;
  ASSERT_TRUE(first.TryAcquire("LockTest"));
  CInstanceLock second;
  EXPECT_FALSE(second.TryAcquire("LockTest"));

  pid_t child = ::fork();
  if (child == 0) {
    CInstanceLock other;
    ::_exit(other.TryAcquire("LockTest") ? 1 : 0);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << "another process took a held lock";

  first.Release();
  EXPECT_TRUE(second.TryAcquire("LockTest"));
}

}  // namespace
}  // namespace tarn
