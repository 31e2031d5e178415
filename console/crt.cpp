#include "console/crt.h"

namespace con {

uint32_t WindMinX, WindMinY, WindMaxX, WindMaxY;
uint8_t TextAttr;
uint8_t ScanCode;
bool SpecialKey;
bool DoingNumChars;
uint8_t DoingNumCode;
rt::TextOut Output;

namespace {

ConsoleDevice* device = nullptr;
// The cursor while a write is being processed; the console's own otherwise.
uint32_t CurrX, CurrY;

constexpr uint16_t VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18, VK_CAPITAL = 20,
                   VK_NUMLOCK = 144, VK_SCROLL = 145;

uint32_t WindowWidth() { return WindMaxX - WindMinX + 1; }
uint32_t WindowHeight() { return WindMaxY - WindMinY + 1; }

Coord Absolute0(uint32_t x, uint32_t y) {
  return Coord{static_cast<int16_t>(x - 1), static_cast<int16_t>(y - 1)};
}

ScreenBufferInfo QueryScreen() {
  ScreenBufferInfo info{};  // a failed query leaves zeros
  device->GetScreenBufferInfo(info);
  return info;
}

// Window row 1 goes; rows 2..H move up; row H becomes blank in TextAttr.
void RemoveLine() {
  SmallRect source{static_cast<int16_t>(WindMinX - 1), static_cast<int16_t>(WindMinY),
                   static_cast<int16_t>(WindMaxX - 1), static_cast<int16_t>(WindMaxY - 1)};
  SmallRect clip{static_cast<int16_t>(WindMinX - 1), static_cast<int16_t>(WindMinY - 1),
                 static_cast<int16_t>(WindMaxX - 1), static_cast<int16_t>(WindMaxY - 1)};
  device->Scroll(source, clip, Absolute0(WindMinX, WindMinY), CharInfo{' ', TextAttr});
}

void WriteChar(uint8_t b) {
  switch (b) {
    case 7:
      break;
    case 8:
      if (CurrX > WindMinX) --CurrX;
      break;
    case 10:
      ++CurrY;
      break;
    case 13:
      CurrX = WindMinX;
      break;
    default:
      device->WriteCharacter(b, Absolute0(CurrX, CurrY));
      device->WriteAttribute(TextAttr, Absolute0(CurrX, CurrY));
      ++CurrX;
  }
  if (CurrX > WindMaxX) {
    CurrX = WindMinX;
    ++CurrY;
  }
  while (CurrY > WindMaxY) {
    RemoveLine();
    --CurrY;
  }
}

bool IsKeypadDigit(uint16_t scan_code, uint8_t& digit) {
  static constexpr struct { uint8_t Scan, Digit; } Keypad[] = {
      {82, 0}, {79, 1}, {80, 2}, {81, 3}, {75, 4}, {76, 5}, {77, 6}, {71, 7}, {72, 8}, {73, 9}};
  for (auto key : Keypad)
    if (key.Scan == scan_code) {
      digit = key.Digit;
      return true;
    }
  return false;
}

}  // namespace

void CrtStartUp(ConsoleDevice& console) {
  device = &console;
  ScreenBufferInfo info = QueryScreen();
  TextAttr = static_cast<uint8_t>(info.wAttributes);
  WindMinX = static_cast<uint32_t>(info.srWindow.Left + 1);
  WindMinY = static_cast<uint32_t>(info.srWindow.Top + 1);
  WindMaxX = static_cast<uint32_t>(info.srWindow.Right + 1);
  WindMaxY = static_cast<uint32_t>(info.srWindow.Bottom + 1);
  DoingNumChars = false;
  DoingNumCode = 0;
  ScanCode = 0;
  SpecialKey = false;
  Output = rt::TextOut{};
  Output.Flush = CrtWrite;
  Output.FlushPerStatement = true;
}

void CrtWrite(rt::TextOut& stream) {
  uint32_t code_page = device->GetOutputCP();
  device->SetOutputCP(device->GetACP());
  ScreenBufferInfo info = QueryScreen();
  CurrX = static_cast<uint32_t>(info.dwCursorPosition.X + 1);
  CurrY = static_cast<uint32_t>(info.dwCursorPosition.Y + 1);
  for (size_t i = 0; i < stream.Count; ++i) WriteChar(static_cast<uint8_t>(stream.Buffer[i]));
  device->SetCursorPosition(Absolute0(CurrX, CurrY));
  device->SetOutputCP(code_page);
  stream.Count = 0;
}

void ClrScr() {
  uint32_t width = WindowWidth();
  for (uint32_t y = WindMinY; y <= WindMaxY; ++y) {
    device->FillAttribute(TextAttr, width, Absolute0(WindMinX, y));
    device->FillCharacter(' ', width, Absolute0(WindMinX, y));
  }
  GotoXY(1, 1);
}

void GotoXY(uint8_t x, uint8_t y) {
  if (x < 1 || x > WindowWidth()) return;
  if (y < 1 || y > WindowHeight()) return;
  device->SetCursorPosition(Absolute0(WindMinX + x - 1, WindMinY + y - 1));
}

void TextColor(uint8_t color) { TextAttr = static_cast<uint8_t>((color & 0x8F) | (TextAttr & 0x70)); }

uint8_t RemapScanCode(uint8_t scan, uint8_t state) {
  auto in = [scan](int low, int high) { return scan >= low && scan <= high; };
  if (state & (RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED)) {
    if (in(2, 13)) return scan + 118;
    if (scan == 28) return 166;
    if (scan == 53) return 164;
    if (in(59, 68)) return scan + 45;
    if (scan == 71 || scan == 72 || scan == 73 || scan == 75 || scan == 77 || in(79, 83)) return scan + 80;
    if (in(87, 88)) return scan + 52;
    return scan;
  }
  if (state & (RIGHT_CTRL_PRESSED | LEFT_CTRL_PRESSED)) {
    if (scan == 15) return 148;
    if (scan == 53) return 149;
    if (scan == 55) return 150;
    if (in(59, 68)) return scan + 35;
    if (in(71, 83)) return CtrlKeypadKeys[scan - 71];
    if (in(87, 88)) return scan + 50;
    return scan;
  }
  if (state & SHIFT_PRESSED) {
    if (in(59, 68)) return scan + 25;
    if (in(87, 88)) return scan + 48;
    return scan;
  }
  if (in(87, 88)) return scan + 46;
  return scan;
}

bool KeyPressed() {
  if (ScanCode != 0) return true;
  InputRecord record;
  while (device->GetNumberOfInputEvents() > 0) {
    if (!device->ReadInput(record)) break;
    if (record.EventType != KEY_EVENT) continue;
    const KeyEventRecord& key = record.KeyEvent;
    if (!key.bKeyDown) {
      // Releasing Alt delivers a code composed on the keypad.
      if (key.wVirtualKeyCode == VK_MENU && DoingNumChars && DoingNumCode != 0) {
        ScanCode = DoingNumCode;
        DoingNumChars = false;
        DoingNumCode = 0;
        return true;
      }
      continue;
    }
    switch (key.wVirtualKeyCode) {
      case VK_SHIFT: case VK_CONTROL: case VK_MENU: case VK_CAPITAL: case VK_NUMLOCK: case VK_SCROLL:
        continue;
    }
    uint32_t state = key.dwControlKeyState;
    if (key.uChar == 0 || (state & (ENHANCED_KEY | LEFT_ALT_PRESSED))) {
      SpecialKey = true;
      ScanCode = RemapScanCode(static_cast<uint8_t>(key.wVirtualScanCode), static_cast<uint8_t>(state));
    } else if (key.uChar == 9 && (state & SHIFT_PRESSED)) {
      SpecialKey = true;
      ScanCode = 15;
    } else {
      SpecialKey = false;
      ScanCode = key.uChar;
    }
    uint8_t digit;
    if (!(state & (RIGHT_ALT_PRESSED | LEFT_ALT_PRESSED))) return true;
    if (!IsKeypadDigit(key.wVirtualScanCode, digit)) return true;
    DoingNumChars = true;
    DoingNumCode = static_cast<uint8_t>(DoingNumCode * 10 + digit);
    ScanCode = 0;
    SpecialKey = false;
  }
  return false;
}

uint8_t ReadKey() {
  while (!KeyPressed()) device->Sleep(1);
  if (SpecialKey) {
    SpecialKey = false;
    return 0;
  }
  uint8_t key = ScanCode;
  ScanCode = 0;
  return key;
}

void Delay(uint16_t milliseconds) { device->Sleep(milliseconds); }

}  // namespace con
