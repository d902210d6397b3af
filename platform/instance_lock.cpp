#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/paths.h"

namespace tarn {

CInstanceLock::~CInstanceLock() { Release(); }

bool CInstanceLock::TryAcquire(const std::string& name) {
  Release();
  std::string folder = RuntimeFolder();
  if (!EnsureFolder(folder)) return false;
  int fd = ::open((folder + name + ".lock").c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return false;
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  m_fd = fd;
  return true;
}

void CInstanceLock::Release() {
  if (m_fd >= 0) {
    ::flock(m_fd, LOCK_UN);
    ::close(m_fd);
    m_fd = -1;
  }
}

}  // namespace tarn
