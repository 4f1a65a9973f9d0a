#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/FuzzTarget.h"
#include "support/EngineTest.h"

namespace {

namespace fs = std::filesystem;

/// Every file of a target's seed corpus and the inputs kept from earlier
/// findings, sorted so that a failure names the same file every run.
std::vector<fs::path> corpusFiles(const std::string& target) {
  std::vector<fs::path> files;
  const fs::path folder = fs::path(MORVANE_FUZZ_CORPUS) / target;
  if (!fs::is_directory(folder)) return files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

// Each target's corpus runs through the same entry the fuzzer calls, in
// the sanitizer build too: an input that once crashed stays fixed.
TEST(FuzzCorpus, EveryTargetRunsItsWholeCorpus) {
  ASSERT_FALSE(mo::fuzz::targets().empty());
  for (const mo::fuzz::Target& target : mo::fuzz::targets()) {
    const std::vector<fs::path> files = corpusFiles(target.name);
    EXPECT_FALSE(files.empty()) << "no corpus for " << target.name;
    for (const fs::path& file : files) {
      SCOPED_TRACE(file.string());
      std::ifstream in(file, std::ios::binary);
      const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
      target.entry(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }
  }
  mo::test::resetEngine();
}

}  // namespace
