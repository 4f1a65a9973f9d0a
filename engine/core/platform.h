#ifndef MO_PLATFORM_H
#define MO_PLATFORM_H

#include <ctime>
#include <string>

namespace mo {
namespace platform {

/// Answer of the timer-resolution calls when the resolution cannot be set.
const int TIMER_NOCANDO = 97;

/// The operating-system services the engine uses for time: a monotonic
/// clock, sleeping, the local wall-clock time and the timer resolution.
/// The engine reaches them only through timeSource(), so a test can put
/// a fake in place with setTimeSource() and run the loop without wall time.
class TimeSource {
 public:
  virtual ~TimeSource();
  /// Microseconds of a monotonic clock; only differences are meaningful.
  virtual long long nowMicroseconds();
  /// Sleeps for ms milliseconds (nothing for ms <= 0); resumes after a
  /// signal interrupts it, so the whole time is slept.
  virtual void sleepMilliseconds(int ms);
  /// Fills out with the local calendar time now; false when the time or
  /// its conversion is not available.
  virtual bool localTime(std::tm& out);
  /// Asks for a timer resolution of ms milliseconds: 0, or TIMER_NOCANDO.
  /// POSIX sleeps already have this resolution, so the system answers 0.
  virtual int timerBeginPeriod(int ms);
  /// Ends a timerBeginPeriod request: 0, or TIMER_NOCANDO.
  virtual int timerEndPeriod(int ms);
};

/// The time source in use: the system's, unless a test replaced it.
TimeSource& timeSource();

/// Replaces the time source (not owned); nullptr restores the system's.
void setTimeSource(TimeSource* p_source);

namespace detail {
/// dlopen, dlsym and dlclose behind a plain interface; nullptr on failure.
void* openLibrary(const char* library);
void* findSymbol(void* p_library, const char* name);
void closeLibrary(void* p_library);
}  // namespace detail

/// Opens the default handle of a shared library loaded at run time:
/// calls open_name(nullptr), a function that takes a name and gives a
/// handle, runs use() while that handle is open, then closes it with
/// close_name, whose result is of type CloseResult. True when a handle
/// opened, and also when the library or either function is missing
/// (there is nothing to ask; use() still runs); false, without running
/// use(), when the open gave no handle. Holding the handle keeps a
/// server that starts over when its last client leaves (an X server
/// without -noreset) from doing so while use() connects.
template <typename CloseResult, typename Use>
bool whileDefaultHandleOpen(const char* library, const char* open_name, const char* close_name,
                            Use use) {
  void* p_library = detail::openLibrary(library);
  if (!p_library) {
    use();
    return true;
  }
  using Open = void* (*)(const char*);
  using Close = CloseResult (*)(void*);
  auto open = reinterpret_cast<Open>(detail::findSymbol(p_library, open_name));
  auto close = reinterpret_cast<Close>(detail::findSymbol(p_library, close_name));
  void* p_handle = open && close ? open(nullptr) : nullptr;
  const bool opens = !(open && close) || p_handle != nullptr;
  if (opens) use();
  if (p_handle) close(p_handle);
  detail::closeLibrary(p_library);
  return opens;
}

/// Whether a run-time library's default handle opens, as above with
/// nothing to do while it is open. The engine asks SFML's own libraries
/// this way (the X server, the audio device) without linking them.
template <typename CloseResult>
bool defaultHandleOpens(const char* library, const char* open_name, const char* close_name) {
  return whileDefaultHandleOpen<CloseResult>(library, open_name, close_name, [] {});
}

/// Makes SIGINT and SIGTERM ask the program to stop (stopSignal())
/// instead of ending it; a second such signal ends it at once, as the
/// system would have.
void catchStopSignals();

/// Gives SIGINT and SIGTERM back to the system and forgets a request.
void releaseStopSignals();

/// The number of the signal that asked the program to stop since
/// catchStopSignals(), or 0.
int stopSignal();

/// Stream sockets for the network manager: thin wrappers over the POSIX
/// socket calls. Every socket they make is non-blocking, closed on exec,
/// and sends without raising SIGPIPE. A call that fails returns -1 and
/// leaves its error code for lastSocketError().

/// The error code of the last socket call that failed: an errno value,
/// or a negative resolver code when a host or port could not be looked up.
int lastSocketError();

/// True when code means the call would have had to wait (EWOULDBLOCK or
/// EAGAIN).
bool isWouldBlock(int code);

/// The system's text for a code from lastSocketError().
std::string socketErrorText(int code);

/// A socket listening on port (a number or a service name) on every local
/// address, IPv6 and IPv4 alike where the system allows both, else IPv4
/// only; SO_REUSEADDR is set. Connections accepted from it ask for at
/// least receive_bytes of receive buffer. The socket, or -1.
int socketListen(const std::string& port, int backlog, int receive_bytes);

/// Starts a connection to host (a name or a numeric address; IPv4
/// addresses are tried first) on port, asking for at least receive_bytes
/// of receive buffer. Only the look-up of a host name may wait; the
/// connection itself may still be under way when this returns (see
/// socketConnectState()). The socket, or -1.
int socketConnect(const std::string& host, const std::string& port, int receive_bytes);

/// Where a connection started by socketConnect() stands, without waiting:
/// 1 connected, 0 still under way, -1 failed (see lastSocketError()).
int socketConnectState(int fd);

/// Accepts one waiting connection on a listening socket, without waiting.
/// The new socket, or -1; when none is waiting the error code is a
/// would-block code.
int socketAccept(int listener);

/// The number of bytes waiting to be read (FIONREAD), or -1.
int socketBytesWaiting(int fd);

/// Copies up to bytes waiting bytes into p_buffer without removing them
/// (MSG_PEEK), without waiting: the count, 0 when the peer has closed its
/// end and nothing is left, or -1 (a would-block code when nothing waits).
int socketPeek(int fd, void* p_buffer, int bytes);

/// Removes up to bytes waiting bytes into p_buffer, without waiting;
/// results as socketPeek().
int socketReceive(int fd, void* p_buffer, int bytes);

/// Sends up to bytes bytes of p_buffer, without waiting: the count taken
/// by the system (possibly fewer), or -1 (a would-block code when none
/// could be taken now).
int socketSend(int fd, const void* p_buffer, int bytes);

/// True when the peer has closed its sending end, whether or not data is
/// still waiting. Always false where the system cannot tell without
/// reading.
bool socketPeerShutDown(int fd);

/// The size of the socket's receive buffer in bytes (SO_RCVBUF), or -1.
int socketReceiveBuffer(int fd);

/// The local port a socket is bound to, or -1.
int socketLocalPort(int fd);

/// Closes a socket: 0, or -1.
int socketClose(int fd);

}  // namespace platform
}  // namespace mo

#endif
