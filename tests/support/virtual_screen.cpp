#include "tests/support/virtual_screen.h"

#include <vterm.h>

namespace {

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

VirtualScreen::VirtualScreen(int columns, int rows) : columns_(columns), rows_(rows), vt_(vterm_new(rows, columns)) {
  vterm_set_utf8(vt_, 1);
  screen_ = vterm_obtain_screen(vt_);
  vterm_screen_reset(screen_, 1);
}

VirtualScreen::~VirtualScreen() { vterm_free(vt_); }

void VirtualScreen::Feed(std::string_view bytes) { vterm_input_write(vt_, bytes.data(), bytes.size()); }

void VirtualScreen::Resize(int columns, int rows) {
  columns_ = columns;
  rows_ = rows;
  vterm_set_size(vt_, rows, columns);
}

void VirtualScreen::OnAnswer(void (*answer)(const char*, size_t, void*), void* user) {
  vterm_output_set_callback(vt_, answer, user);
}

std::string VirtualScreen::Row(int row) const {
  std::string text;
  for (int column = 0; column < columns_; ++column) {
    VTermScreenCell cell;
    vterm_screen_get_cell(screen_, VTermPos{row, column}, &cell);
    AppendUtf8(text, cell.chars[0] == 0 ? ' ' : cell.chars[0]);
  }
  return text;
}

std::string VirtualScreen::Screen() const {
  std::string text;
  for (int row = 0; row < rows_; ++row) {
    std::string line = Row(row);
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + '\n';
  }
  return text;
}

int VirtualScreen::Foreground(int column, int row) const {
  VTermScreenCell cell;
  vterm_screen_get_cell(screen_, VTermPos{row, column}, &cell);
  if (VTERM_COLOR_IS_DEFAULT_FG(&cell.fg)) return -1;
  return VTERM_COLOR_IS_INDEXED(&cell.fg) ? cell.fg.indexed.idx : -2;
}

int VirtualScreen::Background(int column, int row) const {
  VTermScreenCell cell;
  vterm_screen_get_cell(screen_, VTermPos{row, column}, &cell);
  if (VTERM_COLOR_IS_DEFAULT_BG(&cell.bg)) return -1;
  return VTERM_COLOR_IS_INDEXED(&cell.bg) ? cell.bg.indexed.idx : -2;
}

void VirtualScreen::Cursor(int& column, int& row) const {
  VTermPos pos;
  vterm_state_get_cursorpos(vterm_obtain_state(vt_), &pos);
  column = pos.col;
  row = pos.row;
}
