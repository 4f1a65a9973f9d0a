#ifndef MO_TEST_FUZZ_TARGET_H
#define MO_TEST_FUZZ_TARGET_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mo {
namespace fuzz {

/// One reader under test: takes any bytes and must neither crash, hang
/// nor leak on them.
using Entry = void (*)(const std::uint8_t* p_data, std::size_t size);

/// A fuzz target known by the name of its seed corpus folder.
struct Target {
  const char* name;
  Entry entry;
};

/// Every target linked into this program, in registration order.
std::vector<Target>& targets();

/// Adds a target at static initialisation; returns true.
bool registerTarget(const char* name, Entry entry);

/// Puts every engine singleton back to its just-constructed state and
/// starts the log on a file that swallows what it is given, so that an
/// input starts from the same engine as every other.
void freshEngine();

/// The bytes as text (NUL bytes included).
inline std::string text(const std::uint8_t* p_data, std::size_t size) {
  return std::string(reinterpret_cast<const char*>(p_data), size);
}

}  // namespace fuzz
}  // namespace mo

// Defines a fuzz target. Built for libFuzzer (MORVANE_LIBFUZZER), the
// target is the program's LLVMFuzzerTestOneInput; otherwise it is
// registered for the corpus runner of the normal test suite.
#ifdef MORVANE_LIBFUZZER
#define MO_FUZZ_TARGET(name)                                                        \
  static void fuzz_##name(const std::uint8_t* p_data, std::size_t size);            \
  extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* p_data, std::size_t size) { \
    fuzz_##name(p_data, size);                                                      \
    return 0;                                                                       \
  }                                                                                 \
  static void fuzz_##name(const std::uint8_t* p_data, std::size_t size)
#else
#define MO_FUZZ_TARGET(name)                                                        \
  static void fuzz_##name(const std::uint8_t* p_data, std::size_t size);            \
  static const bool registered_##name = mo::fuzz::registerTarget(#name, fuzz_##name); \
  static void fuzz_##name(const std::uint8_t* p_data, std::size_t size)
#endif

#endif
