#include "support/EngineTest.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include <SFML/Audio/SoundBuffer.hpp>

#include "engine/Morvane.h"
#include "engine/media/DisplayManager.h"

namespace mo {
namespace test {

std::string readFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream content;
  content << file.rdbuf();
  return content.str();
}

std::vector<std::string> readLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream file(path);
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return lines;
}

std::string logMessage(const std::string& line) {
  // "hh:mm:ss" + blank + the frame number right-aligned in four places (more once it is
  // larger) + blank.
  std::size_t at = 8 + 1;
  if (line.size() < at + 4 + 1) return line;
  while (at < line.size() && line[at] == ' ') ++at;
  while (at < line.size() && std::isdigit(static_cast<unsigned char>(line[at]))) ++at;
  return at < line.size() && line[at] == ' ' ? line.substr(at + 1) : line;
}

ScopedEnv::ScopedEnv(const std::string& env_name, const std::string& value) : name(env_name) {
  const char* p_old = std::getenv(name.c_str());
  had_value = p_old != nullptr;
  if (had_value) old_value = p_old;
  setenv(name.c_str(), value.c_str(), 1);
}

ScopedEnv::~ScopedEnv() {
  if (had_value) {
    setenv(name.c_str(), old_value.c_str(), 1);
  } else {
    unsetenv(name.c_str());
  }
}

void EngineTest::SetUp() {
  resetEngine();
  const ::testing::TestInfo* p_info = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string(p_info->test_suite_name()) + "." + p_info->name();
  for (char& ch : name) {
    if (ch == '/') ch = '_';
  }
  // The process id keeps concurrent runs of the suite (two build folders)
  // apart.
  temp_dir = (std::filesystem::temp_directory_path() /
              ("morvane-tests-" + std::to_string(getpid())) / name)
                 .string();
  std::filesystem::remove_all(temp_dir);
  std::filesystem::create_directories(temp_dir);
  p_log_env = new ScopedEnv("MORVANE_LOG", logPath());
  p_config_env = new ScopedEnv("MORVANE_CONFIG", temp_dir + "/no-such-config.txt");
}

void EngineTest::TearDown() {
  resetEngine();
  delete p_config_env;
  delete p_log_env;
  std::filesystem::remove_all(std::filesystem::path(temp_dir).parent_path());
}

void WorldTest::SetUp() {
  EngineTest::SetUp();
  ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
}

void EngineTest::startHeadlessDisplay(const std::string& more_items) {
  delete p_config_env;
  p_config_env = new ScopedEnv(
      "MORVANE_CONFIG", writeTempFile("headless-config.txt", "headless:true,\n" + more_items + "\n"));
  Config::getInstance().loadConfig();
  ASSERT_EQ(DisplayManager::getInstance().startUp(), 0);
}

std::vector<std::string> EngineTest::closedLog() const {
  LogManager::getInstance().setLogLevel(0);
  LogManager::getInstance().shutDown();
  return logMessages();
}

std::vector<std::string> EngineTest::logMessages() const {
  std::vector<std::string> messages;
  for (const std::string& line : readLines(logPath())) messages.push_back(logMessage(line));
  return messages;
}

std::string EngineTest::writeTempWav(const std::string& name, short amplitude) const {
  const std::string path = temp_dir + "/" + name;
  const std::vector<sf::Int16> samples(800, amplitude);
  sf::SoundBuffer buffer;
  EXPECT_TRUE(buffer.loadFromSamples(samples.data(), samples.size(), 1, 8000));
  EXPECT_TRUE(buffer.saveToFile(path));
  return path;
}

std::string EngineTest::writeTempFile(const std::string& name, const std::string& text) const {
  const std::string path = temp_dir + "/" + name;
  std::ofstream file(path, std::ios::binary);
  file << text;
  return path;
}

}  // namespace test
}  // namespace mo
