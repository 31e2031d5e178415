// The ship, the enemy squad and their rules.
#pragma once

#include <cstdint>

#include "game/frame.h"

// The codes ReadKey gives after the 0 of an arrow key.
constexpr uint8_t UP = 72;
constexpr uint8_t LEFT = 75;
constexpr uint8_t RIGHT = 77;
constexpr uint8_t DOWN = 80;

// A moving object: the player's ship and every enemy.
struct TPlayer {
  Int16 X;     // screen column of the picture's cell (0, 0)
  Int16 Y;     // its row; an enemy at 0 or above is still above the screen
  Int16 MaxX;  // an enemy's respawn column is below this
  Int16 MaxY;  // an enemy below this row respawns
  rt::DynArray<TFrame> Frames;
  Int16 CurrentFrame;

  void AddFrame(const rt::ShortString& F);
  void Draw(bool Hidden);
  void OnKeyPress(uint8_t C);
};

// The game state, alive for the whole run.
extern uint8_t C;  // the key read last; applied on every tick
extern Int16 Lives;
extern TPlayer Player;
extern rt::DynArray<TPlayer> Enemies;

void CreateEnemies(Int16 N, Int16 MaxX, Int16 MaxY);
void DrawEnemies(bool Hidden);
// One row down for every enemy, with collisions and respawns; ends the
// game when the lives run out.
void ProceedEnemies();
