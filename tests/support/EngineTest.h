#ifndef MO_TEST_ENGINE_TEST_H
#define MO_TEST_ENGINE_TEST_H

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/resetEngine.h"

namespace mo {
namespace test {

/// The whole content of a file, or an empty string when it is missing.
std::string readFile(const std::string& path);

/// The lines of a file, without their line feeds.
std::vector<std::string> readLines(const std::string& path);

/// The message part of a log line: what follows the time and the frame
/// number ("hh:mm:ss nnnn ").
std::string logMessage(const std::string& line);

/// Sets an environment variable for the life of the object, then
/// restores its former value (or its absence).
class ScopedEnv {
 public:
  ScopedEnv(const std::string& name, const std::string& value);
  ~ScopedEnv();
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string name;
  bool had_value;
  std::string old_value;
};

/// A fixture that starts from a reset engine, gives each test its own
/// folder (tempDir()), points MORVANE_LOG at "test.log" there and
/// MORVANE_CONFIG at a file there that does not exist, and resets the
/// engine again afterwards.
class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// This test's own folder, created empty.
  const std::string& tempDir() const { return temp_dir; }
  /// The path of the log file this test writes to.
  std::string logPath() const { return temp_dir + "/test.log"; }
  /// Closes the log (at level 0, so that its own closing line stays out)
  /// and returns every message written to it.
  std::vector<std::string> closedLog() const;
  /// The messages of the log file, without their prefixes.
  std::vector<std::string> logMessages() const;
  /// Points MORVANE_CONFIG at a configuration with "headless:true," (and
  /// any further items), loads it and starts the DisplayManager without
  /// a window, as the engine does when started headless.
  void startHeadlessDisplay(const std::string& more_items = "");
  /// Writes a short sound file (a tenth of a second, mono, 8000 Hz, all
  /// samples at amplitude) to tempDir() and returns its path.
  std::string writeTempWav(const std::string& name, short amplitude = 3000) const;
  /// Writes text to a file in tempDir() and returns its path.
  std::string writeTempFile(const std::string& name, const std::string& text) const;

 private:
  std::string temp_dir;
  ScopedEnv* p_log_env = nullptr;
  ScopedEnv* p_config_env = nullptr;
};

/// An EngineTest with the WorldManager started, so that new objects are
/// filed in the world. Objects must be created with new: the world
/// deletes whatever is left when the test ends.
class WorldTest : public EngineTest {
 protected:
  void SetUp() override;
};

}  // namespace test
}  // namespace mo

#endif
