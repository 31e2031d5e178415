// A terminal emulator in memory (libvterm): feed it bytes, read back what
// a person would see.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

struct VTerm;
struct VTermScreen;

class VirtualScreen {
 public:
  VirtualScreen(int columns, int rows);
  ~VirtualScreen();
  VirtualScreen(const VirtualScreen&) = delete;
  VirtualScreen& operator=(const VirtualScreen&) = delete;

  void Feed(std::string_view bytes);
  void Resize(int columns, int rows);
  // Where the emulator's answers to queries go.
  void OnAnswer(void (*answer)(const char* bytes, size_t length, void* user), void* user);

  std::string Row(int row) const;  // 0-based, full width, UTF-8
  std::string Screen() const;      // rows joined by '\n', trailing blanks trimmed
  // A cell's colour as a palette index, or -1 for the terminal's default.
  int Foreground(int column, int row) const;
  int Background(int column, int row) const;
  void Cursor(int& column, int& row) const;

 private:
  int columns_, rows_;
  VTerm* vt_;
  VTermScreen* screen_;
};
