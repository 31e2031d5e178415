// The ship's and the squad's rules on the in-memory console.
#include "game/player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <random>
#include <string>

#include "console/crt.h"
#include "console/memory_console.h"
#include "game/random.h"
#include "tests/support/temp_files.h"

namespace {

// A ship 5 columns wide and an enemy 7 wide, in a folder of their own.
class RulesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.Write("player_up.txt", "  ^\n<#=#>\n");
    folder_.Write("enemy.txt", "\\=====/\n");
    ASSERT_EQ(chdir(folder_.Path().c_str()), 0);
    con::CrtStartUp(screen);
    con::ClrScr();
    Lives = 10;
    C = 0;
    Player.AddFrame("player_up.txt");
    Player.X = 40;
    Player.Y = 20;
  }
  void TearDown() override {
    Player.Frames.Release();
    Enemies.Release();
  }
  // One enemy, placed by hand.
  TPlayer& OneEnemy(int x, int y) {
    Enemies.SetLength(1);
    Enemies[0].AddFrame("enemy.txt");
    Enemies[0].X = x;
    Enemies[0].Y = y;
    Enemies[0].MaxX = 70;
    Enemies[0].MaxY = 40;
    return Enemies[0];
  }

  TempFolder folder_;
  con::MemoryConsole screen{80, 45, 0x07};
};

TEST_F(RulesTest, ArrowsMoveAndOtherKeysDoNothing) {
  struct Case { uint8_t key; int dx, dy; } cases[] = {
      {UP, 0, -1}, {DOWN, 0, 1}, {LEFT, -1, 0}, {RIGHT, 1, 0}, {0, 0, 0}, {27, 0, 0}, {'h', 0, 0}, {31, 0, 0},
  };
  for (auto c : cases) {
    Player.X = 40;
    Player.Y = 20;
    Player.OnKeyPress(c.key);
    EXPECT_EQ(Player.X.Value(), 40 + c.dx) << int(c.key);
    EXPECT_EQ(Player.Y.Value(), 20 + c.dy) << int(c.key);
  }
}

TEST_F(RulesTest, MovingPastThe16BitRangeIsARangeError) {
  Player.X = 32767;
  EXPECT_EXIT(Player.OnKeyPress(RIGHT), testing::ExitedWithCode(201), "");
}

TEST_F(RulesTest, BeamRunsFromAboveTheShipToRowFour) {
  Player.OnKeyPress(' ');
  int beam = 40 + 5 / 2;  // screen column of the beam, 1-based
  for (int row = 1; row <= 45; ++row)
    EXPECT_EQ(screen.At(beam - 1, row - 1).Char, row >= 4 && row <= 19 ? '*' : ' ') << "row " << row;

  con::ClrScr();
  Player.Y = 4;
  Player.OnKeyPress(' ');
  for (int row = 0; row < 45; ++row) EXPECT_EQ(screen.At(beam - 1, row).Char, ' ');
}

TEST_F(RulesTest, BeamHitsByColumnsOnly) {
  // Hit when E.X - 10 < X and E.X + 7 > X + 5.
  struct Case { int enemy_x; bool hit; } cases[] = {{50, false}, {49, true}, {39, true}, {38, false}};
  for (auto c : cases) {
    SCOPED_TRACE(c.enemy_x);
    TPlayer& enemy = OneEnemy(c.enemy_x, 30);  // below the ship: rows do not matter
    RandSeed = 1234;
    Player.OnKeyPress(' ');
    if (!c.hit) {
      EXPECT_EQ(enemy.X.Value(), c.enemy_x);
      EXPECT_EQ(enemy.Y.Value(), 30);
    } else {
      EXPECT_LE(enemy.Y.Value(), 0);
      EXPECT_GT(enemy.Y.Value(), -30);
    }
    Enemies.Release();
  }
}

TEST_F(RulesTest, OneBeamRowRespawnsWithTwoDraws) {
  Player.Y = 6;  // beam rows 5 and 4: the test runs twice
  TPlayer& enemy = OneEnemy(45, 12);
  RandSeed = 99;
  std::mt19937 reference(99);
  auto draw = [&reference](uint32_t n) { return static_cast<int>((uint64_t{reference()} * n) >> 32); };
  int y = -draw(30), x = draw(70);
  // The second row's pass hits again only if the new column still passes.
  if (x - 10 < 40 && x + 7 > 45) {
    y = -draw(30);
    x = draw(70);
  }
  Player.OnKeyPress(' ');
  EXPECT_EQ(enemy.Y.Value(), y);
  EXPECT_EQ(enemy.X.Value(), x);
}

TEST_F(RulesTest, CollisionNeedsTheShipStrictlyInsideTheSpan) {
  // The enemy's row becomes 20 on the step; its span is X .. X + 7.
  struct Case { int enemy_x; int lives; } cases[] = {{40, 10}, {39, 9}, {34, 9}, {33, 10}};
  for (auto c : cases) {
    SCOPED_TRACE(c.enemy_x);
    Lives = 10;
    OneEnemy(c.enemy_x, 19);
    ProceedEnemies();
    EXPECT_EQ(Lives.Value(), c.lives);
    EXPECT_EQ(Enemies[0].Y.Value(), 20) << "a collision neither moves nor respawns";
    Enemies.Release();
  }
}

TEST_F(RulesTest, LastLifeGoesOnAndTheNextEndsTheGame) {
  Lives = 1;
  OneEnemy(37, 19);
  ProceedEnemies();
  EXPECT_EQ(Lives.Value(), 0);
  Enemies[0].Y = 19;
  EXPECT_EXIT(ProceedEnemies(), testing::ExitedWithCode(0), "");
}

TEST_F(RulesTest, EnemiesRespawnOnceBelowMaxY) {
  TPlayer& enemy = OneEnemy(10, 39);
  ProceedEnemies();
  EXPECT_EQ(enemy.Y.Value(), 40) << "row MaxY is still on the field";
  DrawEnemies(false);
  EXPECT_EQ(screen.Row(39).substr(9, 7), "\\=====/");
  RandSeed = 7;
  ProceedEnemies();
  EXPECT_LE(enemy.Y.Value(), 0);
  EXPECT_GT(enemy.Y.Value(), -30);
  EXPECT_GE(enemy.X.Value(), 0);
  EXPECT_LT(enemy.X.Value(), 70);
}

TEST_F(RulesTest, OnlyEnemiesBelowRowZeroAreDrawn) {
  OneEnemy(10, 0);
  DrawEnemies(false);
  for (int row = 0; row < 45; ++row) EXPECT_EQ(screen.Row(row).find('='), std::string::npos);
  Enemies[0].Y = 1;
  DrawEnemies(false);
  EXPECT_EQ(screen.Row(0).substr(9, 7), "\\=====/");
}

TEST_F(RulesTest, FirstPlacementDrawsRowThenColumn) {
  CreateEnemies(10, 70, 40);
  ASSERT_EQ(Enemies.Length().Value(), 10);
  std::mt19937 reference(RandSeed);
  auto draw = [&reference](uint32_t n) { return static_cast<int>((uint64_t{reference()} * n) >> 32); };
  for (Int32 i = 0; i < 10; i = i + 1) {
    TPlayer& enemy = Enemies[i];
    int y = -draw(40) - 1;
    int x = draw(70) - 5;
    EXPECT_EQ(enemy.Y.Value(), y);
    EXPECT_EQ(enemy.X.Value(), x);
    EXPECT_TRUE(y >= -40 && y <= -1 && x >= -5 && x <= 64);
    EXPECT_EQ(enemy.MaxX.Value(), 70);
    EXPECT_EQ(enemy.MaxY.Value(), 40);
    EXPECT_EQ(enemy.Frames.Length().Value(), 1) << "each enemy owns its own picture";
  }
}

TEST(Random, IsMersenneTwisterScaledByMultiplication) {
  std::mt19937 reference;  // the reference seed, 5489
  reference.discard(9999);
  EXPECT_EQ(reference(), 4123659995u) << "MT19937's published 10000th output";

  RandSeed = 5489;
  EXPECT_EQ(Random(1000).Value(), static_cast<int>((uint64_t{3499211612u} * 1000) >> 32));
  RandSeed = 5490;  // a new seed restarts the sequence at the next draw
  std::mt19937 reseeded(5490);
  EXPECT_EQ(Random(30).Value(), static_cast<int>((uint64_t{reseeded()} * 30) >> 32));
}

}  // namespace
