#include "engine/core/LogManager.h"

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/core/Config.h"
#include "engine/core/GameManager.h"
#include "engine/core/utility.h"

namespace mo {

LogManager::LogManager()
    : do_flush(false),
      log_level(0),
      log_time_string(true),
      log_step_count(true),
      hold_lines(false),
      p_f(nullptr),
      write_failed(false) {
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
  file_name = p_env ? std::string(p_env) : Config::getInstance().getLogfile();
  failure.clear();
  write_failed = false;
  p_f = std::fopen(file_name.c_str(), "w");
  if (!p_f) {
    const std::string reason = std::strerror(errno);
    writeLog("LogManager::startup(): Warning! Unable to open file '%s'.", file_name.c_str());
    failure = "cannot open the log file '" + file_name + "' (" + reason +
              "): " + (p_env ? "set MORVANE_LOG" : "set logfile in the configuration") +
              " to a file that can be written";
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
    if (std::fclose(p_f) != 0) warnWriteFailed();
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
  // The log stays UTF-8 whatever bytes a message carries: they are
  // formatted first, and bytes that are no UTF-8 written as \xNN.
  va_list again;
  va_copy(again, args);
  const int length = std::vsnprintf(nullptr, 0, fmt, again);
  va_end(again);
  if (length >= 0) {
    line.resize(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(&line[0], line.size(), fmt, args);
    line.resize(static_cast<std::size_t>(length));
    if (firstBadUtf8(line) != std::string::npos) line = validUtf8(line);
    ok = std::fputs(line.c_str(), p_out) != EOF && ok;
  }
  ok = length >= 0 && ok;
  ok = std::fputc('\n', p_out) != EOF && ok;
  // Lines outside the loop reach the file at once, so a kill leaves them
  // there; inside it the loop flushes once per frame.
  if (do_flush || !hold_lines) ok = std::fflush(p_out) == 0 && ok;
  if (!ok && p_out == p_f) warnWriteFailed();
  return ok ? length : -1;
}

int LogManager::flush() const {
  if (!p_f) return 0;
  if (std::fflush(p_f) == 0) return 0;
  warnWriteFailed();
  return -1;
}

void LogManager::warnWriteFailed() const {
  if (write_failed) return;
  write_failed = true;
  std::fprintf(stderr, "LogManager::writeLog(): Warning! Cannot write to the log file '%s' (%s).\n",
               file_name.c_str(), std::strerror(errno));
}

void LogManager::setHoldLines(bool new_hold_lines) {
  hold_lines = new_hold_lines;
  if (!hold_lines) flush();
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
  hold_lines = false;
  write_failed = false;
  file_name.clear();
  failure.clear();
  log_level = 0;
  log_time_string = true;
  log_step_count = true;
}

}  // namespace mo
