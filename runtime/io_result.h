// How an operating-system error becomes an I/O result.
//
// The I/O results keep the numbers of the console platform the game was
// written for, so the POSIX error is first named by that platform's number
// (ENOENT is 2 "file not found", EACCES is 5 "access denied", ...), then
// folded by its rule: below 19 unchanged, 19..31 plus 131, 32 (sharing
// violation), 145 and 183 become 5, anything else unchanged.
#pragma once

#include <cstdint>

namespace rt {

uint16_t IoResultOfPlatformError(uint32_t platform_error);

// errno_value from a failed call; ENOENT is reported as "file not found"
// (2): the opener tells a missing folder (3) apart itself.
uint16_t IoResultOfErrno(int errno_value);

}  // namespace rt
