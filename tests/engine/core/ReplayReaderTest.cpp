#include "engine/core/ReplayReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;

const std::string HEADER = "morvane-replay 1\nengine 4.15\nseed 77\nconfig frame_time:0,\n";

class ReplayReaderTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  }
  /// The texts of the events frame n sends (its own, then what is held).
  Lines sent(int n) const {
    Lines texts;
    if (const ReplayReader::Frame* p_frame = reader.frame(n)) {
      for (const ReplayEvent& event : p_frame->events) texts.push_back(event.toText());
      for (const ReplayEvent& event : p_frame->held) texts.push_back("held " + event.toText());
    }
    return texts;
  }
  ReplayReader reader;
};

TEST_F(ReplayReaderTest, EventTextReadsBackAsTheSameEventAndBadTextIsRefused) {
  const ReplayEvent events[] = {
      ReplayEvent(KEY_PRESSED, A),           ReplayEvent(KEY_DOWN, BACKSPACE),
      ReplayEvent(KEY_RELEASED, KeyCode(136)), ReplayEvent(KEY_PRESSED, UNDEFINED_KEY),
      ReplayEvent(CLICKED, LEFT, Vector(10.1f, 1.0f / 3.0f)),
      ReplayEvent(MOVED, UNDEFINED_MOUSE_BUTTON, Vector(-0.0f, 1e-7f)),
      ReplayEvent(),
  };
  for (const ReplayEvent& event : events) {
    ReplayEvent back(KEY_PRESSED, Z);
    EXPECT_TRUE(ReplayEvent::fromText(event.toText(), back)) << event.toText();
    EXPECT_EQ(back, event) << event.toText();
  }
  EXPECT_EQ(ReplayEvent(KEY_RELEASED, F11).toText(), "key released F11");
  EXPECT_EQ(ReplayEvent(PRESSED, RIGHT, Vector(2.5f, 3)).toText(), "mouse pressed right 2.5 3");
  const char* const bad[] = {"", "key", "key pressed", "key held A", "key pressed AA",
                             "key pressed 1001", "key pressed A B", "mouse clicked left 1",
                             "mouse clicked up 1 2", "mouse clicked left 1 nan",
                             "mouse clicked left 1 1e99", "mouse none left 1 2", "close now"};
  for (const char* text : bad) {
    ReplayEvent untouched(KEY_PRESSED, Z);
    EXPECT_FALSE(ReplayEvent::fromText(text, untouched)) << text;
    EXPECT_EQ(untouched, ReplayEvent(KEY_PRESSED, Z)) << text;
  }
}

TEST_F(ReplayReaderTest, HeaderAndFramesAreReadAndCommentsAndBlankLinesSkipped) {
  ASSERT_TRUE(reader.parse(HEADER +
                           "# a comment\n\n"
                           "0 key pressed RETURN\n"
                           "0 held key down RETURN ; mouse pressed left 1.5 2\n"
                           "0 check 0000abcd\n"
                           "3 key released RETURN\n3 held\r\n3 path 17\n"
                           "5 close\n"
                           "9 end\n"));
  EXPECT_TRUE(reader.isUsable());
  EXPECT_EQ(reader.getSeed(), 77);
  EXPECT_EQ(reader.getEngineVersion(), "4.15");
  EXPECT_EQ(reader.getConfig(), "frame_time:0,");
  EXPECT_TRUE(reader.hasEnd());
  EXPECT_EQ(reader.getEndFrame(), 9);
  EXPECT_EQ(sent(0), (Lines{"key pressed RETURN", "held key down RETURN",
                            "held mouse pressed left 1.5 2"}));
  EXPECT_EQ(reader.frame(0)->check, 0xabcdu);
  EXPECT_EQ(sent(3), Lines{"key released RETURN"});
  EXPECT_TRUE(reader.frame(3)->held_changed);
  EXPECT_EQ(reader.frame(3)->path_steps, 17);
  EXPECT_EQ(sent(5), Lines{"close"});
  EXPECT_EQ(reader.frame(4), nullptr);
  EXPECT_EQ(reader.getProblemCount(), 0);
}

// Each bad file: whether it is still a replay, the problems it has and the
// log line that names the first.
TEST_F(ReplayReaderTest, BadFilesAreLoggedAndNeverMoreThanRefused) {
  const struct {
    std::string text;
    bool usable;
    int problems;
    const char* line;
  } rows[] = {
      {"", false, 0, "ReplayReader::parse(): Error! Not a replay: the file is empty."},
      {"\x01\xff garbage\n", false, 0,
       "ReplayReader::parse(): Error! Not a replay: the first line is '?? garbage', not "
       "'morvane-replay 1'."},
      {"morvane-replay 2\n0 close\n", false, 0,
       "ReplayReader::parse(): Error! Replay format 'morvane-replay 2' is not supported; this "
       "engine reads 'morvane-replay 1'."},
      {"morvane-repl", false, 1, "ReplayReader::parse(): Warning! Line 1: cut short "
                                 "('morvane-repl'); ignored."},
      {HEADER + "4 key pressed A\n7 path 12", true, 1,
       "ReplayReader::parse(): Warning! Line 6: cut short ('7 path 12'); ignored."},
      {HEADER + "4 key pressed A\n2 key pressed B\n8 end\n", true, 1,
       "ReplayReader::parse(): Warning! Line 6: frame 2 comes after frame 4, out of order; "
       "ignored."},
      {HEADER + "4 close\n4 key pressed B\n8 end\n", true, 1,
       "ReplayReader::parse(): Warning! Line 6: 'key pressed B' follows the close request of its "
       "frame; ignored."},
      {HEADER + "1 key pressed A\n-1 close\nx close\n2147483647 close\n8 end\n", true, 3,
       "ReplayReader::parse(): Warning! Line 6: '-1 close' has no frame number; ignored."},
      {HEADER + "1 path 1000001\n1 path -2\n1 check 12\n1 held key pressed A\n8 end\n", true, 4,
       "ReplayReader::parse(): Warning! Line 5: path steps '1000001' are not a count up to "
       "1000000; ignored."},
      {HEADER + "8 end\n9 close\n", true, 1,
       "ReplayReader::parse(): Warning! Line 6: '9 close' comes after the end line; ignored."},
      {"morvane-replay 1\nseed x\nwho knows\n1 key pressed A\n", true, 2,
       "ReplayReader::parse(): Warning! Line 2: seed 'x' is not a whole number; ignored."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    LogManager::getInstance().reset();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    EXPECT_EQ(reader.parse(row.text), row.usable);
    EXPECT_EQ(reader.isUsable(), row.usable);
    EXPECT_EQ(reader.getProblemCount(), row.problems);
    const Lines log = closedLog();
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log[0], row.line);
  }
  // Good lines around bad ones still count; a file without its end line
  // ends after its last frame.
  EXPECT_EQ(reader.getEndFrame(), 2);
  EXPECT_FALSE(reader.hasEnd());
  EXPECT_EQ(reader.frame(1)->events.size(), 1u);
}

TEST_F(ReplayReaderTest, ManyBadLinesAreCountedAfterTheFirstFewAndMissingFilesRefused) {
  std::string text = HEADER;
  for (int i = 0; i < 500; i++) text += "1 key bad A\n";
  EXPECT_TRUE(reader.parse(text + "2 end\n"));
  EXPECT_FALSE(reader.load(tempDir() + "/missing.replay"));
  EXPECT_FALSE(reader.isUsable());
  const Lines log = closedLog();
  ASSERT_EQ(log.size(), static_cast<std::size_t>(ReplayReader::MAX_WARNINGS) + 2);
  EXPECT_EQ(log[ReplayReader::MAX_WARNINGS],
            "ReplayReader::parse(): Warning! 480 more bad lines not shown.");
  EXPECT_EQ(log.back(), "ReplayReader::load(): Error! Cannot open replay file '" + tempDir() +
                            "/missing.replay'.");
}

}  // namespace
}  // namespace mo
