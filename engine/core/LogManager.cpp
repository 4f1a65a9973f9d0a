#include "engine/core/LogManager.h"

#include <cstdlib>

#include "engine/core/Config.h"
#include "engine/core/GameManager.h"
#include "engine/core/utility.h"

namespace mo {

LogManager::LogManager()
    : do_flush(false), log_level(0), log_time_string(true), log_step_count(true), p_f(nullptr) {
  setType("LogManager");
}

LogManager::~LogManager() {
  if (p_f) std::fclose(p_f);
}

LogManager& LogManager::getInstance() {
  static LogManager log_manager;
  return log_manager;
}

int LogManager::startUp() {
  if (isStarted()) {
    writeLog("LogManager::startup(): Warning! LogManager already started.");
    return -1;
  }
  const char* p_env = std::getenv("MORVANE_LOG");
  const std::string name = p_env ? std::string(p_env) : Config::getInstance().getLogfile();
  p_f = std::fopen(name.c_str(), "w");
  if (!p_f) {
    writeLog("LogManager::startup(): Warning! Unable to open file '%s'.", name.c_str());
    return -1;
  }
  Manager::startUp();
  writeLog(5, "LogManager::startUp(): successfully started.");
  return 0;
}

void LogManager::shutDown() {
  Manager::shutDown();
  writeLog(5, "LogManager::shutDown(): successfully stopped.");
  if (p_f) {
    std::fclose(p_f);
    p_f = nullptr;
  }
}

int LogManager::writeLog(const char* fmt, ...) const {
  va_list args;
  va_start(args, fmt);
  const int result = writeLine(log_level, fmt, args);
  va_end(args);
  return result;
}

int LogManager::writeLog(int level, const char* fmt, ...) const {
  va_list args;
  va_start(args, fmt);
  const int result = writeLine(level, fmt, args);
  va_end(args);
  return result;
}

int LogManager::writeLine(int level, const char* fmt, va_list args) const {
  if (level > log_level) return 0;
  FILE* p_out = p_f ? p_f : stderr;
  bool ok = true;
  if (log_time_string) ok = std::fprintf(p_out, "%s ", getTimeString()) >= 0 && ok;
  if (log_step_count) {
    ok = std::fprintf(p_out, "%4d ", GameManager::getInstance().getStepCount()) >= 0 && ok;
  }
  const int written = std::vfprintf(p_out, fmt, args);
  ok = written >= 0 && ok;
  ok = std::fputc('\n', p_out) != EOF && ok;
  if (do_flush) ok = std::fflush(p_out) == 0 && ok;
  return ok ? written : -1;
}

void LogManager::setFlush(bool new_do_flush) { do_flush = new_do_flush; }

void LogManager::setLogLevel(int new_log_level) { log_level = new_log_level; }

int LogManager::getLogLevel() const { return log_level; }

void LogManager::setLogTimeString(bool new_log_time_string) {
  log_time_string = new_log_time_string;
}

void LogManager::setLogStepCount(bool new_log_step_count) { log_step_count = new_log_step_count; }

void LogManager::reset() {
  if (p_f) {
    std::fclose(p_f);
    p_f = nullptr;
  }
  resetManager();
  do_flush = false;
  log_level = 0;
  log_time_string = true;
  log_step_count = true;
}

}  // namespace mo
