#ifndef MO_TEST_RESET_ENGINE_H
#define MO_TEST_RESET_ENGINE_H

namespace mo {
namespace test {

/// Puts every engine singleton back to its just-constructed state, the
/// world first (deleting what is left may still write to the log). The
/// time source is left alone: a FakeTimeSource restores it itself. Free
/// of GoogleTest, so that the fuzz targets use it too.
void resetEngine();

}  // namespace test
}  // namespace mo

#endif
