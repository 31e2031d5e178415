#include "runtime/report.h"

#include <unistd.h>

#include "runtime/guards.h"
#include "runtime/stack_walk.h"

namespace rt {

void PutAddress(TextOut& stream, const void* address) {
  static constexpr char Digits[] = "0123456789ABCDEF";
  auto value = reinterpret_cast<uintptr_t>(address);
  char text[2 * sizeof value];
  int n = 0;
  do {
    text[n++] = Digits[value & 15];
    value >>= 4;
  } while (value != 0 || n < 8);
  Put(stream, '$');
  while (n > 0) Put(stream, text[--n]);
}

bool EndReportLine() {
  PutLineEnd(StdOut);
  EndStatement(StdOut);
  if (InOutRes == 0) return true;
  StdOut.Count = 0;
  return false;
}

bool WriteAddressLines(void* const* addresses, size_t count) {
  for (size_t i = 0; i < count; ++i) {
    Put(StdOut, "  ");
    PutAddress(StdOut, addresses[i]);
    if (!EndReportLine()) return false;
  }
  return true;
}

void WriteFallbackReport(uint16_t number, void* address, void* frame) {
  // The walk's length follows the screen: a console keeps only a few lines.
  void* callers[257];
  size_t limit = isatty(STDOUT_FILENO) == 1 ? 9 : 257;
  size_t count = WalkCallers(frame, callers, limit, WalkEnd::IntoStartupCode);

  Put(StdOut, "Runtime error ");
  PutInteger(StdOut, number);
  Put(StdOut, " at ");
  PutAddress(StdOut, address);
  if (!EndReportLine()) return;
  if (!WriteAddressLines(&address, 1)) return;
  if (!WriteAddressLines(callers, count)) return;
  EndReportLine();
}

}  // namespace rt
