// Sprite frames: character pictures read from text files and drawn on the
// console cell by cell.
#pragma once

#include "runtime/checked_int.h"
#include "runtime/dyn_array.h"
#include "runtime/short_string.h"

using rt::Int16;
using rt::Int32;

// One cell of a picture: its column and row within the picture, 0-based.
struct TPosedChar {
  Int16 X;
  Int16 Y;
  char C;
};

struct TFrame {
  rt::DynArray<TPosedChar> Image;  // row by row from the top, left to right
  Int16 Width;                     // the longest line's length
  Int16 Height;                    // the last row index that holds a cell

  // Appends the cells of the picture in file `Data`.
  void LoadFromFile(const rt::ShortString& Data);
  // Draws cell (0, 0) at screen column X, row Y; black when Hidden.
  void Draw(Int16 X, Int16 Y, bool Hidden);
};
