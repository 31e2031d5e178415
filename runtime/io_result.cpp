#include "runtime/io_result.h"

#include <cerrno>

namespace rt {

uint16_t IoResultOfPlatformError(uint32_t platform_error) {
  if (platform_error < 19) return static_cast<uint16_t>(platform_error);
  if (platform_error <= 31) return static_cast<uint16_t>(platform_error + 131);
  if (platform_error == 32 || platform_error == 145 || platform_error == 183) return 5;
  return static_cast<uint16_t>(platform_error);
}

// The platform's numbers for the POSIX errors a text file can meet.
static uint32_t PlatformErrorOfErrno(int errno_value) {
  switch (errno_value) {
    case ENOENT: return 2;         // file not found
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return 3;          // path not found
    case EMFILE:
    case ENFILE: return 4;         // too many open files
    case EACCES:
    case EPERM:
    case EISDIR:
    case EROFS:
    case ETXTBSY: return 5;        // access denied
    case EWOULDBLOCK: return 32;   // sharing violation: held by another program
    case EBADF: return 6;          // invalid handle
    case ENOSPC: return 112;       // disk full
    case EIO: return 30;           // read fault
    default: return 31;            // general failure
  }
}

uint16_t IoResultOfErrno(int errno_value) {
  return IoResultOfPlatformError(PlatformErrorOfErrno(errno_value));
}

}  // namespace rt
