#include "engine/media/audioOutput.h"

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>

#include "support/EngineTest.h"

namespace mo {
namespace {

// OpenAL reads its output choice once per process, so the process that
// AudioOutputTest starts answers before main(): exit 0 when the probe
// finds no device, 1 when it finds one.
[[maybe_unused]] const bool probed_before_main = [] {
  if (!std::getenv("MORVANE_TEST_AUDIO_PROBE")) return false;
  _exit(audioOutputAvailable() ? 1 : 0);
}();

class AudioOutputTest : public test::EngineTest {
 protected:
  /// The exit code of this program run again with ALSOFT_DRIVERS set to
  /// drivers, or -1 when it did not end normally.
  static int probeWith(const char* drivers) {
    const test::ScopedEnv driver("ALSOFT_DRIVERS", drivers), probe("MORVANE_TEST_AUDIO_PROBE", "1");
    const pid_t pid = fork();
    if (pid == 0) {
      execl("/proc/self/exe", "/proc/self/exe", static_cast<char*>(nullptr));
      _exit(127);
    }
    int status = 0;
    if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
  }
};

TEST_F(AudioOutputTest, FindsTheDeviceThatOpensAndNoneWhereNoDriverExists) {
  EXPECT_EQ(probeWith("null"), 1);
  EXPECT_EQ(probeWith("no-such-driver"), 0);
}

}  // namespace
}  // namespace mo
