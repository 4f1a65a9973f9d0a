#include "engine/core/Config.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::ScopedEnv;

class ConfigTest : public test::EngineTest {
 protected:
  /// Loads text and returns what went to standard error meanwhile.
  std::string loadCapturingStderr(const std::string& text) {
    testing::internal::CaptureStderr();
    config.loadConfig(text);
    return testing::internal::GetCapturedStderr();
  }
  /// Writes a configuration file and loads it through MORVANE_CONFIG.
  void loadFile(const std::string& content) {
    ScopedEnv env("MORVANE_CONFIG", writeTempFile("config.txt", content));
    config.loadConfig();
  }
  /// The lines printConfig() writes at level 1, one string.
  std::string printed() {
    LogManager& log = LogManager::getInstance();
    log.setLogLevel(1);
    EXPECT_EQ(log.startUp(), 0);
    config.printConfig();
    log.shutDown();
    std::string block;
    for (const std::string& message : logMessages()) block += message + "\n";
    return block;
  }
  Config& config = Config::getInstance();
};

TEST_F(ConfigTest, DefaultsStayWhenTheFileIsMissingWhichIsReportedAtLevelOne) {
  const std::string defaults = printed();
  EXPECT_EQ(defaults,
            "-----------------------------------\nMorvane configuration:\n"
            "  Window horizontal pixels: 1024\n  Window vertical pixels: 768\n"
            "  Window horizontal characters: 80\n  Window vertical characters: 24\n"
            "  Window background color: 0\n  Frame time: 33\n  Window style: default\n"
            "  Window title: Morvane\n  Show mouse: false\n  Headless: false\n"
            "  Font file: mo-font.ttf\n  Log file: morvane.log\n  Random seed: 0\n"
            "  Networking: false\n  Grid width: 20\n  Grid height: 8\n"
            "  Quadtree threshold: 1\n  Quadtree depth: 10\n  Batched drawing: true\n"
            "  Window keep aspect: true\n  Window integer scaling: false\n"
            "  Record file: \n  Replay file: \n  Replay then play: false\n"
            "-----------------------------------\n");
  // The matcher still remembers another text; an absent file must not
  // pick its items up.
  match("frame_time:5,window_title:Other,font_scale:3,", "");
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  config.loadConfig();
  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(), std::vector<std::string>{
                               "Config::readConfig(): Cannot open Morvane configuration file '" +
                               tempDir() + "/no-such-config.txt'."});
  ScopedEnv env("MORVANE_CONFIG", tempDir());  // a folder reads as nothing
  config.loadConfig();
  EXPECT_EQ(printed(), defaults);
  EXPECT_EQ(config.getFontScale(), 2.0f);
  EXPECT_EQ(config.getConfig(), "");
}

TEST_F(ConfigTest, GivenTextWinsAndWithoutMorvaneConfigTheFileInTheWorkingDirectoryIsRead) {
  writeTempFile("mo-config.txt", "frame_time:40,\n");
  ASSERT_EQ(unsetenv("MORVANE_CONFIG"), 0);  // the fixture restores it
  const std::filesystem::path old_dir = std::filesystem::current_path();
  std::filesystem::current_path(tempDir());
  config.loadConfig("frame_time:50,");
  EXPECT_EQ(config.getFrameTime(), 50);
  config.loadConfig();
  std::filesystem::current_path(old_dir);
  EXPECT_EQ(config.getFrameTime(), 40);
}

TEST_F(ConfigTest, FileLinesLoseCommentsBlanksAndCarriageReturnsAndJoinAsTheyAre) {
  loadFile(
      "# frame_time:10,\r\n\r\n\n"
      " #grid_width:5,\n"  // only a hash in the first column starts a comment
      "window_title: My Game ,\r\n"
      "frame_time:25\n"  // no comma: the value runs into the next line
      "font_file:f.ttf,\n#\n"
      "logfile:l.log");  // no line feed at the end
  EXPECT_EQ(config.getConfig(),
            " #grid_width:5,window_title: My Game ,frame_time:25font_file:f.ttf,logfile:l.log");
  EXPECT_EQ(config.getGridWidth(), 20);
  EXPECT_EQ(config.getWindowTitle(), "MyGame");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getFontFile(), "mo-font.ttf");
  EXPECT_EQ(config.getLogfile(), "l.log");
}

TEST_F(ConfigTest, EveryKeySetsItsOwnSettingAndPrintConfigShowsThem) {
  config.loadConfig(
      "frame_time:11, font_scale:1.5, window_horizontal_pixels:640,"
      "window_vertical_pixels:480, window_horizontal_chars:60, window_vertical_chars:20,"
      "window_background_color:cyan, window_style:fullscreen, window_title:Blaster,"
      "show_mouse:true, headless:true, font_file:f.ttf, logfile:l.log, random_seed:-1,"
      "networking:true, grid_width:31, grid_height:32, quadtree_depth:33,"
      "quadtree_threshold:34, batched_drawing:false, window_keep_aspect:false,"
      "window_integer_scaling:true, record_file:r.replay, replay_file:p.replay,"
      "replay_then_play:true,");
  EXPECT_EQ(config.getFontScale(), 1.5f);  // the one setting not printed
  EXPECT_EQ(printed(),
            "-----------------------------------\nMorvane configuration:\n"
            "  Window horizontal pixels: 640\n  Window vertical pixels: 480\n"
            "  Window horizontal characters: 60\n  Window vertical characters: 20\n"
            "  Window background color: 6\n  Frame time: 11\n  Window style: fullscreen\n"
            "  Window title: Blaster\n  Show mouse: true\n  Headless: true\n"
            "  Font file: f.ttf\n  Log file: l.log\n  Random seed: -1\n"
            "  Networking: true\n  Grid width: 31\n  Grid height: 32\n"
            "  Quadtree threshold: 34\n  Quadtree depth: 33\n  Batched drawing: false\n"
            "  Window keep aspect: false\n  Window integer scaling: true\n"
            "  Record file: r.replay\n  Replay file: p.replay\n  Replay then play: true\n"
            "-----------------------------------\n");
}

TEST_F(ConfigTest, ValuesAreReadLikeAtoiOrAtofTrueOnlyWhenExactlyTrueAndSkippedWhenEmpty) {
  config.loadConfig(
      "frame_time:25ms, random_seed:-2147483648, grid_height:3.9,"
      "font_scale:1.25x, show_mouse:true, headless:true, networking:true, window_title:T,");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getRandomSeed(), INT_MIN);
  EXPECT_EQ(config.getGridHeight(), 3);
  EXPECT_EQ(config.getFontScale(), 1.25f);
  config.loadConfig(
      "frame_time:, grid_height, font_scale:, show_mouse:TRUE, headless:1, networking:,"
      "window_title:,");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getGridHeight(), 3);
  EXPECT_EQ(config.getFontScale(), 1.25f);
  EXPECT_FALSE(config.getShowMouse() || config.getHeadless());
  EXPECT_TRUE(config.getNetworking());
  EXPECT_EQ(config.getWindowTitle(), "T");
}

TEST_F(ConfigTest, NumbersOutsideTheirRangeOrNoNumbersAreReplacedAndReported) {
  // range: where the value must lie, "" when it is no number, nullptr
  // when it is taken without a word.
  using C = Config;
  const struct {
    const char *key, *value;
    int (Config::*get)() const;
    int expected;
    const char* range;
  } cases[] = {
      {"frame_time", "0", &C::getFrameTime, 0, nullptr},  // as fast as possible
      {"frame_time", "1000", &C::getFrameTime, 1000, nullptr},
      {"frame_time", "2147483647", &C::getFrameTime, 1000, "0 to 1000"},
      {"frame_time", "-33", &C::getFrameTime, 33, "0 to 1000"},
      {"frame_time", "fast", &C::getFrameTime, 33, ""},
      {"window_horizontal_pixels", "100000", &C::getWindowHorizontalPixels, 7680, "1 to 7680"},
      {"window_vertical_pixels", "-600", &C::getWindowVerticalPixels, 768, "1 to 4320"},
      {"window_horizontal_chars", "100000", &C::getWindowHorizontalChars, 500, "1 to 500"},
      {"window_vertical_chars", "0", &C::getWindowVerticalChars, 24, "1 to 200"},
      {"window_vertical_chars", "200", &C::getWindowVerticalChars, 200, nullptr},
      {"random_seed", "-99999999999", &C::getRandomSeed, INT_MIN, "-2147483648 to 2147483647"},
      {"random_seed", "x", &C::getRandomSeed, 0, ""},
      {"grid_width", "abc", &C::getGridWidth, 20, ""},
      {"grid_height", "99999", &C::getGridHeight, 10000, "1 to 10000"},
      {"quadtree_depth", "-1", &C::getQuadtreeDepth, 10, "1 to 64"},
      {"quadtree_threshold", "0", &C::getQuadtreeThreshold, 1, "1 to 10000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.key) + ":" + c.value);
    config.reset();
    const std::string err = loadCapturingStderr(std::string(c.key) + ":" + c.value + ",");
    EXPECT_EQ((config.*c.get)(), c.expected);
    std::string warning;
    if (c.range) {
      warning = "Config::loadConfig(): Warning! " + std::string(c.key) + " '" + c.value +
                (*c.range ? std::string("' out of range ") + c.range + "," : "' is no number,") +
                " using " + toString(c.expected) + ".";
    }
    EXPECT_EQ(err.empty() ? "" : test::logMessage(err.substr(0, err.size() - 1)), warning);
  }
  for (const auto& [item, scale] :
       {std::pair("font_scale:1000", 10.0f), std::pair("font_scale:-2", 2.0f),
        std::pair("font_scale:big", 2.0f), std::pair("font_scale:nan", 2.0f),
        std::pair("font_scale:0.1", 0.1f)}) {
    config.reset();
    const std::string err = loadCapturingStderr(std::string(item) + ",");
    EXPECT_EQ(config.getFontScale(), scale) << item;
    EXPECT_EQ(err.empty(), scale == 0.1f) << err;
  }
  EXPECT_NE(loadCapturingStderr("font_scale:1e9,")
                .find("Warning! font_scale '1e9' out of range 0.1 to 10, using 10."),
            std::string::npos);
}

TEST_F(ConfigTest, UnsupportedColorOrStyleIsReportedAndKeepsTheSetting) {
  config.loadConfig("window_background_color:blue, window_style:fullscreen,");
  for (const std::string value : {"Red", "custom", "5", ""}) {
    const std::string err =
        loadCapturingStderr("window_background_color:" + value + ", window_style:" + value + ",");
    const bool reported = !value.empty();
    EXPECT_EQ(err.find("loadConfig(): Unsupported window color '" + value + "'\n") !=
                  std::string::npos, reported) << err;
    EXPECT_EQ(err.find("loadConfig(): Unsupported window style '" + value + "'\n") !=
                  std::string::npos, reported) << err;
  }
  EXPECT_EQ(config.getWindowBackgroundColor(), BLUE);
  EXPECT_EQ(config.getWindowStyle(), WINDOW_STYLE_FULLSCREEN);
  EXPECT_EQ(loadCapturingStderr("window_background_color:white, window_style:default,"), "");
  EXPECT_EQ(config.getWindowStyle(), WINDOW_STYLE_DEFAULT);
}

TEST_F(ConfigTest, ReplaySettingsComeFromTheEnvironmentFirstAndAReplayAppliesOnlyPlaySettings) {
  config.loadConfig("record_file:a.replay,replay_file:b.replay,replay_then_play:true,");
  EXPECT_EQ(config.getRecordFile(), "a.replay");
  EXPECT_TRUE(config.getReplayThenPlay());
  {
    ScopedEnv record("MORVANE_RECORD", "env.replay");
    EXPECT_EQ(config.getRecordFile(), "env.replay");
    EXPECT_EQ(config.getReplayFile(), "b.replay");
  }
  config.loadConfig("frame_time:0,font_scale:1.5,");
  const std::string loaded = config.getConfig();
  const std::string play = config.getPlayConfig();
  EXPECT_EQ(play, "window_horizontal_pixels:1024,window_vertical_pixels:768,"
                  "window_horizontal_chars:80,window_vertical_chars:24,frame_time:0,font_scale:1.5,"
                  "networking:false,grid_width:20,grid_height:8,quadtree_threshold:1,"
                  "quadtree_depth:10,");
  config.applyPlayConfig("frame_time:33,window_vertical_chars:30,logfile:x.log,record_file:y,");
  EXPECT_EQ(config.getFrameTime(), 33);
  EXPECT_EQ(config.getWindowVerticalChars(), 30);
  EXPECT_EQ(config.getLogfile(), "morvane.log");
  EXPECT_EQ(config.getRecordFile(), "a.replay");
  EXPECT_EQ(config.getConfig(), loaded);
  config.applyPlayConfig(play);
  EXPECT_EQ(config.getPlayConfig(), play);
}

}  // namespace
}  // namespace mo
