#ifndef MO_TEST_PLAY_SESSION_H
#define MO_TEST_PLAY_SESSION_H

#include <functional>
#include <string>
#include <vector>

namespace mo {
namespace test {

/// Runs the engine once as a program does: writes the configuration
/// "headless:true," + items to dir/name.cfg, starts the GameManager
/// (log in dir/name.log), calls set_up, runs the loop, shuts down and
/// puts the engine back to its just-constructed state. Returns the log's
/// lines without their time stamps (frame numbers kept).
std::vector<std::string> playSession(const std::string& dir, const std::string& name,
                                     const std::string& items, const std::function<void()>& set_up);

/// The lines of log that contain text.
std::vector<std::string> linesWith(const std::vector<std::string>& log, const std::string& text);

}  // namespace test
}  // namespace mo

#endif
