// The console layer: a window of coloured character cells with a cursor,
// key polling and delays, over a ConsoleDevice.
//
// Window coordinates are 1-based and relative to the window's top-left cell.
// Every write statement (Write, WriteLn) goes through the 256-byte stream
// Output and is in its cells when it returns. Keys arrive one byte per
// ReadKey; a special key gives 0 and then its code.
#pragma once

#include <cstdint>
#include <string_view>

#include "console/console_device.h"
#include "runtime/checked_int.h"
#include "runtime/guards.h"
#include "runtime/short_string.h"
#include "runtime/text_out.h"

namespace con {

// Layer state, one copy per process.
extern uint32_t WindMinX, WindMinY, WindMaxX, WindMaxY;  // absolute, 1-based, inclusive
extern uint8_t TextAttr;
extern uint8_t ScanCode;  // the key byte waiting to be delivered; 0 means none
extern bool SpecialKey;   // a 0 is to be delivered before ScanCode
extern bool DoingNumChars;
extern uint8_t DoingNumCode;

// The codes for scan codes 71..83 with Ctrl held.
inline constexpr uint8_t CtrlKeypadKeys[13] = {119, 141, 132, 142, 115, 143, 116,
                                               78,  117, 145, 118, 146, 147};

// Binds the layer to a device and reads the window bounds and attribute
// from it; nothing visible changes.
void CrtStartUp(ConsoleDevice& device);

// Every cell of the window becomes a space in TextAttr; the cursor goes to (1, 1).
void ClrScr();
// Moves to window cell (x, y); a coordinate outside the window cancels the move.
void GotoXY(uint8_t x, uint8_t y);
// Foreground and blink bits from `color`, background bits kept.
void TextColor(uint8_t color);
bool KeyPressed();
// Waits for a key; a special key gives 0, then its code on the next call.
uint8_t ReadKey();
void Delay(uint16_t milliseconds);

// The scan code a special key delivers under the held modifiers.
uint8_t RemapScanCode(uint8_t scan_code, uint8_t control_key_state);

// The stream behind every write statement, and its write routine.
extern rt::TextOut Output;
void CrtWrite(rt::TextOut& stream);

// The pieces of a write statement.
inline void PutPiece(char c) { rt::Put(Output, c); }
inline void PutPiece(uint8_t c) { rt::Put(Output, static_cast<char>(c)); }
inline void PutPiece(rt::Int32 n) { rt::PutInteger(Output, n.Value()); }
inline void PutPiece(rt::Int16 n) { rt::PutInteger(Output, n.Value()); }
inline void PutPiece(int n) { rt::PutInteger(Output, n); }
inline void PutPiece(std::string_view s) { rt::Put(Output, s.substr(0, rt::ShortString::MaxLength)); }
inline void PutPiece(const char* s) { PutPiece(std::string_view(s)); }
inline void PutPiece(const rt::ShortString& s) { rt::Put(Output, s.View()); }

// One write statement: its pieces in order, handed to the cells at once,
// then the I/O guard, called from the statement's own routine.
template <typename... Pieces>
[[gnu::always_inline]] inline void Write(const Pieces&... pieces) {
  (PutPiece(pieces), ...);
  rt::EndStatement(Output);
  rt::IOCheck();
}
template <typename... Pieces>
[[gnu::always_inline]] inline void WriteLn(const Pieces&... pieces) {
  (PutPiece(pieces), ...);
  rt::PutLineEnd(Output);
  rt::EndStatement(Output);
  rt::IOCheck();
}

}  // namespace con
