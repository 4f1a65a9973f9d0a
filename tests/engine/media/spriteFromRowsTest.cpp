#include "engine/media/spriteFromRows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;
using SpriteFromRowsTest = test::EngineTest;

TEST_F(SpriteFromRowsTest, BuildsWholeFramesAndLogsRowsThatDoNotFit) {
  struct Case {
    Lines rows;
    int height;
    Lines frames;
    std::string error;
  };
  const Case cases[] = {
      {{"ab", "cd", "ef", "gh"}, 2, {"abcd", "efgh"}, ""},
      {{"ab", "cd", "e", "gh"}, 2, {"abcd"}, "Row 2 is 1 characters long (frame width is 2)."},
      {{"ab", "cd", "ef"}, 2, {"abcd"}, "3 rows do not make frames of 2 rows."},
      {{"ab"}, 0, {}, "Frame size 2 x 0 is empty."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.error);
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    const auto p_sprite = spriteFromRows(2, c.height, c.rows, CYAN, 3);
    Lines frames;
    for (int i = 0; i < p_sprite->getFrameCount(); i++)
      frames.push_back(p_sprite->getFrame(i).getString());
    EXPECT_EQ(frames, c.frames);
    EXPECT_EQ(closedLog(),
              c.error.empty() ? Lines{} : Lines{"spriteFromRows(): Error! " + c.error});
  }
}

}  // namespace
}  // namespace mo
