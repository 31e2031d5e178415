#include "game/player.h"

#include "console/crt.h"
#include "game/random.h"
#include "runtime/program.h"

using namespace con;
using namespace rt;

uint8_t C;
Int16 Lives;
TPlayer Player;
DynArray<TPlayer> Enemies;

void TPlayer::AddFrame(const ShortString& F) {
  Frames.SetLength(Frames.Length() + 1);
  Frames[Frames.High()].LoadFromFile(F);
}

void TPlayer::Draw(bool Hidden) { Frames[0].Draw(X, Y, Hidden); }

// The beam climbs from the row above the ship to row 4. The hit test looks
// at columns only, so it shoots down an enemy wherever it is, once per row.
static void Fire(TPlayer& Ship) {
  Int32 BeamX = Ship.X + Ship.Frames[0].Width / 2;
  for (Int32 R = Ship.Y - 1; R >= 4; R = R - 1) {
    if (BeamX >= 0 && BeamX <= 255 && R <= 255) {
      GotoXY(Byte(BeamX).Value(), Byte(R).Value());
      Write('*');
    }
    for (Int32 I = 0; I <= Enemies.High(); I = I + 1) {
      TPlayer& E = Enemies[I];
      if (E.X - 10 < Ship.X && E.X + E.Frames[0].Width > Ship.X + Ship.Frames[0].Width) {
        E.Y = -Random(30);
        E.X = Random(E.MaxX);
      }
    }
  }
}

void TPlayer::OnKeyPress(uint8_t Key) {
  switch (Key) {
    case UP: Y = Y - 1; break;
    case DOWN: Y = Y + 1; break;
    case LEFT: X = X - 1; break;
    case RIGHT: X = X + 1; break;
    case ' ': Fire(*this); break;
  }
}

void CreateEnemies(Int16 N, Int16 MaxX, Int16 MaxY) {
  Randomize();
  Enemies.SetLength(N);
  for (Int32 I = 0; I <= N - 1; I = I + 1) {
    TPlayer& E = Enemies[I];
    E.AddFrame("enemy.txt");
    E.Y = -Random(MaxY) - 1;
    E.X = Random(MaxX) - 5;
    E.MaxX = MaxX;
    E.MaxY = MaxY;
    E.CurrentFrame = 0;
  }
}

void DrawEnemies(bool Hidden) {
  for (Int32 I = 0; I <= Enemies.High(); I = I + 1)
    if (Enemies[I].Y > 0) Enemies[I].Draw(Hidden);
}

void ProceedEnemies() {
  for (Int32 I = 0; I <= Enemies.High(); I = I + 1) {
    TPlayer& E = Enemies[I];
    E.Y = E.Y + 1;
    // The ship's origin strictly inside the enemy's span, on the same row.
    if (E.X < Player.X && Player.X < E.X + E.Frames[0].Width && E.Y == Player.Y) {
      Lives = Lives - 1;
      if (Lives < 0) {
        ClrScr();
        WriteLn("Game Over!");
        Halt(0);
      }
    }
    if (E.Y > E.MaxY) {
      E.Y = -Random(30);
      E.X = Random(E.MaxX);
    }
  }
}
