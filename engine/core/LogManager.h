#ifndef MO_LOG_MANAGER_H
#define MO_LOG_MANAGER_H

#include <cstdarg>
#include <cstdio>
#include <string>

#include "engine/core/Manager.h"

namespace mo {

/// Owns the log file. Each line is the local time, the frame number
/// right-aligned in four places and the message. Before startUp() and
/// after shutDown() lines go to standard error.
///
///   const mo::LogManager& log = mo::LogManager::getInstance();
///   log.writeLog("Ship: Warning! %d lives left.", lives);  // always written
///   log.writeLog(10, "Ship: at %.1f.", x);                  // only at level 10 or more
class LogManager : public Manager {
 public:
  /// The single instance.
  static LogManager& getInstance();

  ~LogManager() override;

  /// Opens the log named by MORVANE_LOG, else the configured name
  /// ("morvane.log"), truncating it. 0; -1 when already started or the
  /// file cannot be opened (a warning goes to standard error and
  /// getFailure() says why).
  int startUp() override;

  /// Closes the log; later lines go to standard error.
  void shutDown() override;

  /// Writes one line whatever the log level. Returns the number of
  /// characters of the message, or -1 when the line cannot be written.
  int writeLog(const char* fmt, ...) const __attribute__((format(printf, 2, 3)));

  /// Writes one line when level is not above the log level (0 by
  /// default); otherwise writes nothing and returns 0. Results as above.
  int writeLog(int level, const char* fmt, ...) const __attribute__((format(printf, 3, 4)));

  /// Writes the lines waiting in the buffer to the file. 0; -1 when the
  /// write failed.
  int flush() const;

  /// While true, lines wait in the buffer until flush(), which the game
  /// loop calls once per frame; while false (the default) every line
  /// reaches the file at once. Setting it false flushes.
  void setHoldLines(bool hold_lines);

  /// Flush after every line, even while lines are held (default false).
  void setFlush(bool do_flush);
  /// Messages above this level are dropped (default 0).
  void setLogLevel(int log_level);
  /// The level above which messages are dropped.
  int getLogLevel() const;
  /// Prefix lines with the time string (default true).
  void setLogTimeString(bool log_time_string);
  /// Prefix lines with the frame number (default true).
  void setLogStepCount(bool log_step_count);

  /// The file the log writes to, or last tried to open.
  std::string getFileName() const { return file_name; }

  /// Why the last startUp() could not open the file, as one sentence for
  /// the player (what failed and what to do); empty after a success.
  std::string getFailure() const { return failure; }

  /// Closes any open file and restores every setting, as just
  /// constructed; for test fixtures.
  void reset();

 private:
  LogManager();
  int writeLine(int level, const char* fmt, va_list args) const;
  /// Tells standard error, once per file, that writing to it failed.
  void warnWriteFailed() const;

  bool do_flush;
  int log_level;
  bool log_time_string;
  bool log_step_count;
  bool hold_lines;
  FILE* p_f;
  std::string file_name;
  std::string failure;
  mutable bool write_failed;
  mutable std::string line;  ///< the message being written
};

}  // namespace mo

#endif
