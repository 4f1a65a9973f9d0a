#include "game/Hud.h"

#include <gtest/gtest.h>

#include "tests/game/GameFixture.h"

namespace gh {
namespace {

using HudTest = test::GameTest;

TEST_F(HudTest, BarFillsEighthsOfItsCellsAndStaysWithinThem) {
  const struct {
    int value, max, cells;
    const char* bar;
  } rows[] = {{100, 100, 4, "\u2588\u2588\u2588\u2588"}, {0, 100, 4, "\u2591\u2591\u2591\u2591"},
              {73, 100, 4, "\u2588\u2588\u2589\u2591"},  // 23.36 eighths
              {-5, 100, 2, "\u2591\u2591"},               {250, 100, 2, "\u2588\u2588"},
              {1, 100, 1, "\u2591"},                      {50, 0, 3, ""}};
  for (const auto& row : rows) {
    EXPECT_EQ(Hud::bar(row.value, row.max, row.cells), row.bar) << row.value << "/" << row.max;
  }
}

TEST_F(HudTest, DrawsItsTextInABoxWithCornersAndTheBarAfterTheValue) {
  Hud* p_hud = new Hud;
  p_hud->setLocation(mo::TOP_LEFT);
  p_hud->setViewString("HP");
  p_hud->setValue(50);
  p_hud->setBar(100, 4);
  EXPECT_EQ(drawn().toString(),
            "      \u250C\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500"
            "\u2510\n"
            "      \u2502 HP 50 \u2588\u2588\u2591\u2591 \u2502\n"
            "      \u2514\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500\u2500"
            "\u2518\n");
  p_hud->setBorder(false);
  p_hud->setDrawValue(false);
  EXPECT_EQ(drawn().toString(), "          HP \u2588\u2588\u2591\u2591\n");
}

}  // namespace
}  // namespace gh
