#include "game/frame.h"

#include "console/crt.h"
#include "runtime/text_file.h"

using namespace con;
using namespace rt;

void TFrame::LoadFromFile(const ShortString& Data) {
  TextFile F;
  ShortString Line;
  Assign(F, Data);
  Reset(F);
  IOCheck();
  Width = 0;
  Height = 0;
  Int16 I = 0;
  for (;;) {
    bool AtEnd = Eof(F);
    IOCheck();
    if (AtEnd) break;
    Read(F, Line);
    IOCheck();
    ReadLn(F);
    IOCheck();
    for (Int32 J = 1; J <= Line.Length; J = J + 1) {
      Image.SetLength(Image.Length() + 1);
      TPosedChar& Cell = Image[Image.High()];
      Cell.X = J - 1;
      Cell.Y = I;
      Cell.C = Line.Chars[J.Value() - 1];
      if (Width < J) Width = J;
      if (Height < I) Height = I;
    }
    I = I + 1;
  }
  Close(F);
  IOCheck();
}

// The console takes positions as bytes; a cell beyond them cannot be
// positioned, so it is not drawn at all.
static bool OnConsoleGrid(Int32 Column, Int32 Row) {
  return Column >= 0 && Column <= 255 && Row >= 0 && Row <= 255;
}

void TFrame::Draw(Int16 X, Int16 Y, bool Hidden) {
  TextColor(Hidden ? 0 : 15);
  for (Int32 I = 0; I <= Image.High(); I = I + 1) {
    const TPosedChar& Cell = Image[I];
    Int32 Row = Y + Cell.Y;
    Int32 Column = X + Cell.X;
    if (!OnConsoleGrid(Column, Row)) continue;
    GotoXY(Byte(Column).Value(), Byte(Row).Value());
    Write(Cell.C);
  }
}
