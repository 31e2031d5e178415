// Pieces shared by the two fatal reports.
#pragma once

#include <cstddef>
#include <string_view>

#include "runtime/text_out.h"

namespace rt {

// "$" and eight upper-case hexadecimal digits (more only if the address
// does not fit in eight).
void PutAddress(TextOut& stream, const void* address);

// Ends a report line with CR LF as one statement. False once StdOut has
// failed: the rest of the report is then dropped, and the exit status
// stays what the report was for.
bool EndReportLine();

// "  $XXXXXXXX" for each address.
bool WriteAddressLines(void* const* addresses, size_t count);

// "Runtime error N at $A", the address again, the callers into the
// start-up code, an empty line.
void WriteFallbackReport(uint16_t number, void* address, void* frame);

}  // namespace rt
