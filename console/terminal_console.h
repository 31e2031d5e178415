// The console on the process's own terminal.
//
// The in-memory console is the truth; the terminal is brought up to date
// whenever the program waits (every Sleep) or ends. Keys are read in raw
// mode and decoded into key-event records. The window is the terminal's
// size at start-up and stays so.
//
// When the output is not a terminal there is no screen: queries leave
// their records zero-filled and cell operations have no effect. Input is
// still decoded from whatever the input is, and never waited for.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "console/byte_sink.h"
#include "console/console_device.h"
#include "console/key_decoder.h"
#include "console/memory_console.h"
#include "console/presenter.h"

namespace con {

class TerminalConsole : public ConsoleDevice {
 public:
  // The attribute the terminal's default colours stand for.
  static constexpr uint16_t OwnAttribute = 0x07;
  // How long a lone ESC waits for the rest of a sequence.
  static constexpr int EscapeWaitMs = 50;

  TerminalConsole(int input_fd, int output_fd);

  // Takes the terminal: raw input, signal handlers, and asks where the
  // cursor is and whether synchronized updates work. Nothing visible changes.
  void Start();
  // Puts the last frame on the screen.
  void Present();
  // Present, then give the terminal back as it was found.
  void Finish();

  void GetScreenBufferInfo(ScreenBufferInfo& info) override;
  void SetCursorPosition(Coord position) override;
  void FillAttribute(uint16_t attribute, uint32_t length, Coord start) override;
  void FillCharacter(uint8_t character, uint32_t length, Coord start) override;
  void WriteCharacter(uint8_t character, Coord at) override;
  void WriteAttribute(uint16_t attribute, Coord at) override;
  void Scroll(SmallRect source, SmallRect clip, Coord destination, CharInfo fill) override;
  uint32_t GetOutputCP() override { return output_code_page_; }
  void SetOutputCP(uint32_t code_page) override { output_code_page_ = code_page; }
  uint32_t GetACP() override { return 1252; }
  uint32_t GetNumberOfInputEvents() override;
  bool ReadInput(InputRecord& record) override;
  void Sleep(uint32_t milliseconds) override;

  bool HasScreen() const { return screen_ != nullptr; }

 private:
  void Pump();
  void AwaitStartupReplies();
  void HandleSignalsSeen();

  int input_fd_, output_fd_;
  bool input_open_ = true;
  std::unique_ptr<MemoryConsole> screen_;
  std::unique_ptr<Presenter> presenter_;
  ByteSink sink_;
  KeyDecoder decoder_;
  std::vector<InputRecord> decoded_;
  std::deque<InputRecord> queue_;
  int64_t last_byte_ms_ = 0;
  uint32_t output_code_page_ = 437;
};

}  // namespace con
