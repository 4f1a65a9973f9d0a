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

using test::EngineTest;
using test::ScopedEnv;

class ConfigTest : public EngineTest {
 protected:
  /// Loads text and returns what went to standard error meanwhile.
  std::string loadCapturingStderr(const std::string& text) {
    testing::internal::CaptureStderr();
    config.loadConfig(text);
    return testing::internal::GetCapturedStderr();
  }
  /// Writes a configuration file and loads it through MORVANE_CONFIG.
  void loadFile(const std::string& content) {
    const std::string path = writeTempFile("config.txt", content);
    ScopedEnv env("MORVANE_CONFIG", path);
    config.loadConfig();
  }
  void expectAllDefaults() const {
    EXPECT_EQ(config.getWindowHorizontalPixels(), 1024);
    EXPECT_EQ(config.getWindowVerticalPixels(), 768);
    EXPECT_EQ(config.getWindowHorizontalChars(), 80);
    EXPECT_EQ(config.getWindowVerticalChars(), 24);
    EXPECT_EQ(config.getWindowStyle(), 5);
    EXPECT_EQ(config.getWindowBackgroundColor(), BLACK);
    EXPECT_EQ(config.getFrameTime(), 33);
    EXPECT_EQ(config.getFontScale(), 2.0f);
    EXPECT_EQ(config.getWindowTitle(), "Morvane");
    EXPECT_FALSE(config.getShowMouse());
    EXPECT_FALSE(config.getHeadless());
    EXPECT_EQ(config.getFontFile(), "mo-font.ttf");
    EXPECT_EQ(config.getLogfile(), "morvane.log");
    EXPECT_EQ(config.getRandomSeed(), 0);
    EXPECT_FALSE(config.getNetworking());
    EXPECT_EQ(config.getQuadtreeThreshold(), 1);
    EXPECT_EQ(config.getQuadtreeDepth(), 10);
    EXPECT_EQ(config.getGridWidth(), 20);
    EXPECT_EQ(config.getGridHeight(), 8);
  }
  Config& config = Config::getInstance();
};

/// Changes the working directory for the life of the object.
class ScopedWorkingDirectory {
 public:
  explicit ScopedWorkingDirectory(const std::string& dir)
      : old_dir(std::filesystem::current_path()) {
    std::filesystem::current_path(dir);
  }
  ~ScopedWorkingDirectory() { std::filesystem::current_path(old_dir); }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

 private:
  std::filesystem::path old_dir;
};

// --- Reading the file -----------------------------------------------------

TEST_F(ConfigTest, MissingFileKeepsEveryDefault) {
  config.loadConfig();
  expectAllDefaults();
  EXPECT_EQ(config.getConfig(), "");
}

TEST_F(ConfigTest, MissingFileIsReportedAtLevelOne) {
  LogManager::getInstance().setLogLevel(1);
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  EXPECT_EQ(config.readConfig(), "");
  LogManager::getInstance().shutDown();
  EXPECT_EQ(logMessages(), std::vector<std::string>{
                               "Config::readConfig(): Cannot open Morvane configuration file '" +
                               tempDir() + "/no-such-config.txt'."});
}

TEST_F(ConfigTest, MissingFileKeepsDefaultsEvenAfterAnotherParse) {
  // The matcher still remembers some other text; an absent file must not
  // pick its items up.
  match("frame_time:5,window_title:Other,", "");
  config.loadConfig();
  expectAllDefaults();
}

TEST_F(ConfigTest, EnvironmentVariableNamesTheFile) {
  loadFile("frame_time:25,\nwindow_title:Blaster,\n");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getWindowTitle(), "Blaster");
  EXPECT_EQ(config.getConfig(), "frame_time:25,window_title:Blaster,");
  EXPECT_EQ(config.getWindowHorizontalPixels(), 1024);
  EXPECT_EQ(config.getLogfile(), "morvane.log");
}

TEST_F(ConfigTest, WithoutTheVariableTheFileInTheWorkingDirectoryIsRead) {
  writeTempFile("mo-config.txt", "frame_time:40,\n");
  ASSERT_EQ(unsetenv("MORVANE_CONFIG"), 0);  // the fixture restores it
  ScopedWorkingDirectory cwd(tempDir());
  config.loadConfig();
  EXPECT_EQ(config.getFrameTime(), 40);
}

TEST_F(ConfigTest, CommentAndEmptyLinesAreSkipped) {
  loadFile("# frame_time:10,\n\nwindow_title:Blaster,\n#\n\n");
  EXPECT_EQ(config.getFrameTime(), 33);
  EXPECT_EQ(config.getWindowTitle(), "Blaster");
  EXPECT_EQ(config.getConfig(), "window_title:Blaster,");
}

TEST_F(ConfigTest, OnlyAHashInTheFirstColumnStartsAComment) {
  loadFile(" #frame_time:10,\nframe_time:12,\n");
  // The blank before the hash makes it an ordinary line, so the key is
  // "#frame_time" and frame_time comes from the second line.
  EXPECT_EQ(config.getConfig(), " #frame_time:10,frame_time:12,");
  EXPECT_EQ(config.getFrameTime(), 12);
}

TEST_F(ConfigTest, CarriageReturnLineFeedReadsLikeLineFeed) {
  loadFile("# comment\r\nframe_time:25,\r\n\r\nwindow_title:Blaster,\r\n");
  EXPECT_EQ(config.getConfig(), "frame_time:25,window_title:Blaster,");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getWindowTitle(), "Blaster");
}

TEST_F(ConfigTest, LastLineWithoutLineFeedIsRead) {
  loadFile("frame_time:25,\nwindow_title:Blaster");
  EXPECT_EQ(config.getConfig(), "frame_time:25,window_title:Blaster");
  EXPECT_EQ(config.getWindowTitle(), "Blaster");
}

TEST_F(ConfigTest, LineIsJoinedToTheNextWithoutASeparator) {
  // Without the comma the two lines read as one item whose value is
  // "25window_title"; the title keeps its default.
  loadFile("frame_time:25\nwindow_title:Blaster,\n");
  EXPECT_EQ(config.getConfig(), "frame_time:25window_title:Blaster,");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getWindowTitle(), "Morvane");
}

TEST_F(ConfigTest, GivenTextIsUsedInsteadOfTheFile) {
  const std::string path = writeTempFile("config.txt", "frame_time:25,\n");
  ScopedEnv env("MORVANE_CONFIG", path);
  config.loadConfig("frame_time:50,");
  EXPECT_EQ(config.getFrameTime(), 50);
  EXPECT_EQ(config.getConfig(), "frame_time:50,");
}

TEST_F(ConfigTest, FolderInsteadOfAFileKeepsTheDefaults) {
  ScopedEnv env("MORVANE_CONFIG", tempDir());
  config.loadConfig();
  expectAllDefaults();
}

// --- Applying the settings ------------------------------------------------

TEST_F(ConfigTest, EveryKeySetsItsOwnSetting) {
  config.loadConfig(
      "frame_time:11, font_scale:1.5, window_horizontal_pixels:640,"
      "window_vertical_pixels:480, window_horizontal_chars:60, window_vertical_chars:20,"
      "window_background_color:cyan, window_style:fullscreen, window_title:Blaster,"
      "show_mouse:true, headless:true, font_file:f.ttf, logfile:l.log, random_seed:-1,"
      "networking:true, grid_width:31, grid_height:32, quadtree_depth:33,"
      "quadtree_threshold:34,");
  EXPECT_EQ(config.getFrameTime(), 11);
  EXPECT_EQ(config.getFontScale(), 1.5f);
  EXPECT_EQ(config.getWindowHorizontalPixels(), 640);
  EXPECT_EQ(config.getWindowVerticalPixels(), 480);
  EXPECT_EQ(config.getWindowHorizontalChars(), 60);
  EXPECT_EQ(config.getWindowVerticalChars(), 20);
  EXPECT_EQ(config.getWindowBackgroundColor(), CYAN);
  EXPECT_EQ(config.getWindowStyle(), 8);
  EXPECT_EQ(config.getWindowTitle(), "Blaster");
  EXPECT_TRUE(config.getShowMouse());
  EXPECT_TRUE(config.getHeadless());
  EXPECT_EQ(config.getFontFile(), "f.ttf");
  EXPECT_EQ(config.getLogfile(), "l.log");
  EXPECT_EQ(config.getRandomSeed(), -1);
  EXPECT_TRUE(config.getNetworking());
  EXPECT_EQ(config.getGridWidth(), 31);
  EXPECT_EQ(config.getGridHeight(), 32);
  EXPECT_EQ(config.getQuadtreeDepth(), 33);
  EXPECT_EQ(config.getQuadtreeThreshold(), 34);
}

TEST_F(ConfigTest, NumbersAreReadAsTheirLeadingInteger) {
  config.loadConfig("frame_time:25ms, grid_width:abc, random_seed:+7x, grid_height:3.9,");
  EXPECT_EQ(config.getFrameTime(), 25);
  EXPECT_EQ(config.getGridWidth(), 0);
  EXPECT_EQ(config.getRandomSeed(), 7);
  EXPECT_EQ(config.getGridHeight(), 3);
}

TEST_F(ConfigTest, HugeNumbersAreHeldToTheRangeOfInt) {
  config.loadConfig("frame_time:99999999999999999999, random_seed:-99999999999,");
  EXPECT_EQ(config.getFrameTime(), INT_MAX);
  EXPECT_EQ(config.getRandomSeed(), INT_MIN);
}

TEST_F(ConfigTest, FontScaleIsReadAsTheLeadingNumber) {
  config.loadConfig("font_scale:1.25x,");
  EXPECT_EQ(config.getFontScale(), 1.25f);
  config.loadConfig("font_scale:3,");
  EXPECT_EQ(config.getFontScale(), 3.0f);
  config.loadConfig("font_scale:big,");
  EXPECT_EQ(config.getFontScale(), 0.0f);
}

TEST_F(ConfigTest, EmptyOrMissingValueKeepsTheSetting) {
  config.loadConfig("frame_time:, window_title:, font_scale, show_mouse:, window_style:,"
                    "window_background_color:,");
  expectAllDefaults();
  // Nor does it undo an earlier setting.
  config.loadConfig("frame_time:20, headless:true,");
  config.loadConfig("frame_time:, headless:,");
  EXPECT_EQ(config.getFrameTime(), 20);
  EXPECT_TRUE(config.getHeadless());
}

TEST_F(ConfigTest, BooleansAreTrueOnlyForExactlyTrue) {
  config.loadConfig("show_mouse:true, headless:true, networking:true,");
  config.loadConfig("show_mouse:TRUE, headless:1, networking:yes,");
  EXPECT_FALSE(config.getShowMouse());
  EXPECT_FALSE(config.getHeadless());
  EXPECT_FALSE(config.getNetworking());
  config.loadConfig("show_mouse:true,");
  EXPECT_TRUE(config.getShowMouse());
  config.loadConfig("show_mouse:false,");
  EXPECT_FALSE(config.getShowMouse());
}

TEST_F(ConfigTest, BlanksInsideAValueAreDropped) {
  loadFile("window_title: My Game ,\nfont_file : my font.ttf,\n");
  EXPECT_EQ(config.getWindowTitle(), "MyGame");
  EXPECT_EQ(config.getFontFile(), "myfont.ttf");
}

TEST_F(ConfigTest, BackgroundColorNamesGiveTheirColors) {
  const char* names[] = {"black", "red", "green", "yellow", "blue", "magenta", "cyan", "white"};
  for (int i = 7; i >= 0; i--) {
    config.loadConfig(std::string("window_background_color:") + names[i] + ",");
    EXPECT_EQ(config.getWindowBackgroundColor(), static_cast<Color>(i)) << names[i];
  }
}

TEST_F(ConfigTest, CapitalisedColorIsUnsupportedAndKeepsTheColor) {
  const std::string err = loadCapturingStderr("window_background_color:Red,");
  EXPECT_NE(err.find("loadConfig(): Unsupported window color 'Red'"), std::string::npos) << err;
  EXPECT_EQ(config.getWindowBackgroundColor(), BLACK);

  config.loadConfig("window_background_color:blue,");
  const std::string err2 = loadCapturingStderr("window_background_color:custom,");
  EXPECT_NE(err2.find("loadConfig(): Unsupported window color 'custom'"), std::string::npos)
      << err2;
  EXPECT_EQ(config.getWindowBackgroundColor(), BLUE);
}

TEST_F(ConfigTest, WindowStyleNamesGiveTheirFlags) {
  config.loadConfig("window_style:fullscreen,");
  EXPECT_EQ(config.getWindowStyle(), 8);
  config.loadConfig("window_style:default,");
  EXPECT_EQ(config.getWindowStyle(), 5);
}

TEST_F(ConfigTest, UnsupportedWindowStyleIsReportedAndKeepsTheStyle) {
  config.loadConfig("window_style:fullscreen,");
  const std::string err = loadCapturingStderr("window_style:Fullscreen,");
  EXPECT_NE(err.find("loadConfig(): Unsupported window style 'Fullscreen'"), std::string::npos)
      << err;
  EXPECT_EQ(config.getWindowStyle(), 8);
  const std::string err2 = loadCapturingStderr("window_style:5,");
  EXPECT_NE(err2.find("loadConfig(): Unsupported window style '5'"), std::string::npos) << err2;
  EXPECT_EQ(config.getWindowStyle(), 8);
}

TEST_F(ConfigTest, SupportedValuesWriteNothing) {
  const std::string err = loadCapturingStderr(
      "window_background_color:white, window_style:default, frame_time:abc,");
  EXPECT_EQ(err, "");
}

// --- The configuration block ----------------------------------------------

TEST_F(ConfigTest, PrintConfigWritesTheWholeBlockAtLevelOne) {
  config.loadConfig(
      "window_horizontal_pixels:800, window_vertical_pixels:600, window_horizontal_chars:100,"
      "window_vertical_chars:30, window_background_color:blue, frame_time:20,"
      "window_style:fullscreen, window_title:Blaster, show_mouse:true, font_file:f.ttf,"
      "logfile:l.log, random_seed:42, grid_width:21, grid_height:9, quadtree_threshold:2,"
      "quadtree_depth:11,");
  LogManager::getInstance().setLogLevel(1);
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  config.printConfig();
  LogManager::getInstance().shutDown();

  std::string block;
  for (const std::string& message : logMessages()) block += message + "\n";
  EXPECT_EQ(block,
            "-----------------------------------\n"
            "Morvane configuration:\n"
            "  Window horizontal pixels: 800\n"
            "  Window vertical pixels: 600\n"
            "  Window horizontal characters: 100\n"
            "  Window vertical characters: 30\n"
            "  Window background color: 4\n"
            "  Frame time: 20\n"
            "  Window style: fullscreen\n"
            "  Window title: Blaster\n"
            "  Show mouse: true\n"
            "  Headless: false\n"
            "  Font file: f.ttf\n"
            "  Log file: l.log\n"
            "  Random seed: 42\n"
            "  Networking: false\n"
            "  Grid width: 21\n"
            "  Grid height: 9\n"
            "  Quadtree threshold: 2\n"
            "  Quadtree depth: 11\n"
            "-----------------------------------\n");
}

TEST_F(ConfigTest, PrintConfigOfTheDefaults) {
  LogManager::getInstance().setLogLevel(1);
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  config.printConfig();
  LogManager::getInstance().shutDown();
  const std::vector<std::string> messages = logMessages();
  ASSERT_EQ(messages.size(), 21u);
  EXPECT_EQ(messages[6], "  Window background color: 0");
  EXPECT_EQ(messages[7], "  Frame time: 33");
  EXPECT_EQ(messages[8], "  Window style: default");
  EXPECT_EQ(messages[9], "  Window title: Morvane");
  EXPECT_EQ(messages[10], "  Show mouse: false");
  EXPECT_EQ(messages[14], "  Random seed: 0");
}

TEST_F(ConfigTest, PrintConfigIsSilentAtTheDefaultLevel) {
  ASSERT_EQ(LogManager::getInstance().startUp(), 0);
  config.printConfig();
  LogManager::getInstance().shutDown();
  EXPECT_TRUE(logMessages().empty());
}

}  // namespace
}  // namespace mo
