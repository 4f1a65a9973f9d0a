#ifndef MO_TEST_WINDOW_TEST_H
#define MO_TEST_WINDOW_TEST_H

#include <SFML/Graphics.hpp>

#include <string>
#include <vector>

#include "support/EngineTest.h"

namespace mo {
namespace test {

/// A fixture for tests with a real window on the X server of DISPLAY
/// (skipped when DISPLAY is not set). The server is this process's alone
/// for the test: window tests of other processes wait on a lock file, as
/// keyboard and pointer are shared. The log (flushed after every line)
/// and the world, with an 80 x 30 view at (0, 0), are started.
class WindowTest : public EngineTest {
 protected:
  void SetUp() override;
  void TearDown() override;

  /// Starts the display: an 800 x 600 window of 80 x 30 cells (10 x 20
  /// pixels each), titled title(), with the repository's font. The
  /// settings of extra come first, so they win. What startUp() returns.
  int startWindow(const std::string& extra = "");
  /// How many log messages equal message.
  int logCount(const std::string& message) const;
  /// Asks the window to close as a window manager does (a
  /// WM_DELETE_WINDOW message); whether it was sent.
  bool requestClose(unsigned long window) const;

  /// The title of this process's windows.
  static const std::string& title();
  /// The X ids of the windows titled title() (or name, when given).
  static std::vector<std::string> windowsTitled(const std::string& name = "");
  /// What the X server shows in a window of any process, read through
  /// this test's own X connection; an empty image when it cannot be read.
  sf::Image grabWindow(unsigned long window) const;
  /// Runs xdotool with the arguments; whether it succeeded.
  static bool xdotool(const std::string& arguments);
  /// What the window holds now: what was drawn since the last swap,
  /// with the display's queued drawing drawn first.
  static sf::Image readBack(const sf::RenderWindow& window);

 private:
  int lock_fd = -1;
  void* p_xlib = nullptr;
  void* p_connection = nullptr;  ///< our own X connection
};

}  // namespace test
}  // namespace mo

#endif
