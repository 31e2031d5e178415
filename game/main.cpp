// Starfall: a ship drawn in characters against a squad of falling enemies.
//
// The main program sets the field up and runs one tick every 60 ms until
// Escape is read or the lives run out.
#include "console/console_unit.h"
#include "console/crt.h"
#include "game/player.h"
#include "runtime/exceptions.h"
#include "runtime/program.h"

using namespace con;

static void MainProgram() {
  ClrScr();
  TextColor(15);
  Lives = 10;
  Player.AddFrame("player_up.txt");
  Player.Y = 20;
  Player.X = 40;
  Player.MaxY = 40;
  Player.MaxX = 50;
  Player.Draw(false);
  Player.CurrentFrame = 0;
  CreateEnemies(10, 70, 40);
  DrawEnemies(false);

  for (;;) {
    Delay(60);
    // One key per tick; the last one read goes on acting.
    if (KeyPressed()) C = ReadKey();
    ClrScr();
    TextColor(4);
    GotoXY(0, 0);  // outside the window: the counter lands where ClrScr left the cursor
    Write(Lives);
    TextColor(15);
    Player.OnKeyPress(C);
    Player.Draw(false);
    ProceedEnemies();
    DrawEnemies(false);
    if (C == 27) break;
  }
}

// The globals start zero; at exit their pictures go back to the heap.
static void ReleaseGlobals() {
  Player.Frames.Release();
  Enemies.Release();
}

static void StartGlobals() {}

int main() {
  rt::RunProgram({ConsoleUnit, rt::ExceptionUnit, {"Globals", StartGlobals, ReleaseGlobals}}, MainProgram);
}
