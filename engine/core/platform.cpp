#include "engine/core/platform.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <vector>

#include <dlfcn.h>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace mo {
namespace platform {

namespace {

TimeSource& systemTimeSource() {
  static TimeSource system_source;
  return system_source;
}

TimeSource* p_current = nullptr;

int last_socket_error = 0;

volatile std::sig_atomic_t stop_signal = 0;

// The first signal only asks: the loop ends its frame and the game shuts
// down cleanly. A second one means the player will not wait.
extern "C" void onStopSignal(int signal_number) {
  if (stop_signal != 0) {
    std::signal(signal_number, SIG_DFL);
    std::raise(signal_number);
    return;
  }
  stop_signal = signal_number;
}

void setStopHandler(void (*p_handler)(int)) {
  struct sigaction action {};
  action.sa_handler = p_handler;
  sigemptyset(&action.sa_mask);
  // Reads of the X connection and the sleep go on after the handler.
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

int failWith(int code) {
  last_socket_error = code;
  return -1;
}

// Resolver codes are kept negative so that they never collide with errno
// values (some systems number them from 1); a resolver failure inside the
// system is reported as its errno.
int resolverError(int code) { return code == EAI_SYSTEM ? errno : (code < 0 ? code : -code); }

int resolverCode(int kept) { return EAI_AGAIN < 0 ? kept : -kept; }

int makeNonBlocking(int fd) {
  const int flags = fcntl(fd, F_GETFL, 0);
  if (flags == -1 || fcntl(fd, F_SETFL, flags | O_NONBLOCK) == -1) return -1;
  const int fd_flags = fcntl(fd, F_GETFD, 0);
  if (fd_flags == -1 || fcntl(fd, F_SETFD, fd_flags | FD_CLOEXEC) == -1) return -1;
  return 0;
}

// Must happen before listen() or connect(): the window the connection
// offers its peer is settled during the handshake. Best effort: the
// system may cap the size, which the caller can read back.
void askForReceiveBuffer(int fd, int receive_bytes) {
  int current = 0;
  socklen_t length = sizeof(current);
  if (receive_bytes <= 0 ||
      (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &current, &length) == 0 && current >= receive_bytes)) {
    return;
  }
  setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receive_bytes, sizeof(receive_bytes));
}

// Game messages are small and should leave at once rather than wait to
// be merged with later ones.
void sendWithoutDelay(int fd) {
  const int on = 1;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof(on));
}

int closeKeepingError(int fd) {
  const int code = errno;
  ::close(fd);
  return failWith(code);
}

int listenOn(int family, const std::string& port, int backlog, int receive_bytes) {
  addrinfo hints{};
  hints.ai_family = family;
  hints.ai_socktype = SOCK_STREAM;
  hints.ai_flags = AI_PASSIVE;
  addrinfo* p_list = nullptr;
  const int looked_up = getaddrinfo(nullptr, port.c_str(), &hints, &p_list);
  if (looked_up != 0) return failWith(resolverError(looked_up));
  const addrinfo address = *p_list;
  const int fd = socket(address.ai_family, address.ai_socktype, address.ai_protocol);
  if (fd == -1) {
    freeaddrinfo(p_list);
    return failWith(errno);
  }
  const int on = 1;
  const int off = 0;
  setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof(on));
  if (family == AF_INET6) setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof(off));
  askForReceiveBuffer(fd, receive_bytes);
  const bool ready = bind(fd, address.ai_addr, address.ai_addrlen) == 0 &&
                     listen(fd, backlog) == 0 && makeNonBlocking(fd) == 0;
  if (!ready) {
    closeKeepingError(fd);
    freeaddrinfo(p_list);
    return -1;
  }
  freeaddrinfo(p_list);
  return fd;
}

}  // namespace

TimeSource::~TimeSource() = default;

long long TimeSource::nowMicroseconds() {
  // A monotonic clock, so the loop never sees time run backwards or
  // jump at the turn of an hour or when the wall clock is set.
  struct timespec now {};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000000LL + now.tv_nsec / 1000;
}

void TimeSource::sleepMilliseconds(int ms) {
  if (ms <= 0) return;
  struct timespec request {};
  request.tv_sec = ms / 1000;
  request.tv_nsec = static_cast<long>(ms % 1000) * 1000000L;
  struct timespec remaining {};
  while (nanosleep(&request, &remaining) == -1 && errno == EINTR) {
    request = remaining;
  }
}

bool TimeSource::localTime(std::tm& out) {
  const std::time_t now = std::time(nullptr);
  if (now == static_cast<std::time_t>(-1)) return false;
  return localtime_r(&now, &out) != nullptr;
}

int TimeSource::timerBeginPeriod(int) { return 0; }

int TimeSource::timerEndPeriod(int) { return 0; }

void catchStopSignals() {
  stop_signal = 0;
  setStopHandler(onStopSignal);
}

void releaseStopSignals() {
  setStopHandler(SIG_DFL);
  stop_signal = 0;
}

int stopSignal() { return stop_signal; }

TimeSource& timeSource() { return p_current ? *p_current : systemTimeSource(); }

void setTimeSource(TimeSource* p_source) { p_current = p_source; }

int lastSocketError() { return last_socket_error; }

bool isWouldBlock(int code) { return code == EWOULDBLOCK || code == EAGAIN; }

std::string socketErrorText(int code) {
  return code < 0 ? gai_strerror(resolverCode(code)) : std::strerror(code);
}

int socketListen(const std::string& port, int backlog, int receive_bytes) {
  // One IPv6 socket that also takes IPv4 connections, where the system
  // has IPv6; a port that is taken or forbidden is an answer, not a
  // reason to try IPv4 alone.
  const int fd = listenOn(AF_INET6, port, backlog, receive_bytes);
  if (fd != -1 || last_socket_error == EADDRINUSE || last_socket_error == EACCES) return fd;
  return listenOn(AF_INET, port, backlog, receive_bytes);
}

int socketConnect(const std::string& host, const std::string& port, int receive_bytes) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* p_list = nullptr;
  const int looked_up = getaddrinfo(host.c_str(), port.c_str(), &hints, &p_list);
  if (looked_up != 0) return failWith(resolverError(looked_up));
  // A refusal of a connection under way shows only later, when no other
  // address is tried any more: IPv4 first, which servers listen on most.
  std::vector<const addrinfo*> addresses;
  for (const addrinfo* p = p_list; p; p = p->ai_next) {
    if (p->ai_family == AF_INET) addresses.push_back(p);
  }
  for (const addrinfo* p = p_list; p; p = p->ai_next) {
    if (p->ai_family != AF_INET) addresses.push_back(p);
  }
  int code = EADDRNOTAVAIL;
  for (const addrinfo* p_address : addresses) {
    const int fd = socket(p_address->ai_family, p_address->ai_socktype, p_address->ai_protocol);
    if (fd == -1) {
      code = errno;
      continue;
    }
    if (makeNonBlocking(fd) == -1) {
      code = errno;
      ::close(fd);
      continue;
    }
    sendWithoutDelay(fd);
    askForReceiveBuffer(fd, receive_bytes);
    if (::connect(fd, p_address->ai_addr, p_address->ai_addrlen) == 0 || errno == EINPROGRESS ||
        errno == EINTR) {
      freeaddrinfo(p_list);
      return fd;
    }
    code = errno;
    ::close(fd);
  }
  freeaddrinfo(p_list);
  return failWith(code);
}

int socketConnectState(int fd) {
  pollfd entry{fd, POLLOUT, 0};
  const int ready = poll(&entry, 1, 0);
  if (ready == -1) return errno == EINTR ? 0 : failWith(errno);
  if (ready == 0) return 0;
  int code = 0;
  socklen_t length = sizeof(code);
  if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &length) == -1) return failWith(errno);
  return code == 0 ? 1 : failWith(code);
}

int socketAccept(int listener) {
  const int fd = ::accept(listener, nullptr, nullptr);
  if (fd == -1) return failWith(errno);
  // Accepted sockets do not inherit the listener's non-blocking mode.
  if (makeNonBlocking(fd) == -1) return closeKeepingError(fd);
  sendWithoutDelay(fd);
  return fd;
}

int socketBytesWaiting(int fd) {
  int count = 0;
  if (ioctl(fd, FIONREAD, &count) == -1) return failWith(errno);
  return count;
}

int socketPeek(int fd, void* p_buffer, int bytes) {
  const ssize_t count = recv(fd, p_buffer, static_cast<size_t>(bytes), MSG_PEEK | MSG_DONTWAIT);
  return count == -1 ? failWith(errno) : static_cast<int>(count);
}

int socketReceive(int fd, void* p_buffer, int bytes) {
  const ssize_t count = recv(fd, p_buffer, static_cast<size_t>(bytes), MSG_DONTWAIT);
  return count == -1 ? failWith(errno) : static_cast<int>(count);
}

int socketSend(int fd, const void* p_buffer, int bytes) {
  // MSG_NOSIGNAL: a peer that has gone must not end the process.
  const ssize_t count =
      ::send(fd, p_buffer, static_cast<size_t>(bytes), MSG_NOSIGNAL | MSG_DONTWAIT);
  return count == -1 ? failWith(errno) : static_cast<int>(count);
}

bool socketPeerShutDown(int fd) {
#ifdef POLLRDHUP
  pollfd entry{fd, POLLRDHUP, 0};
  return poll(&entry, 1, 0) == 1 && (entry.revents & (POLLRDHUP | POLLHUP)) != 0;
#else
  (void)fd;
  return false;
#endif
}

int socketReceiveBuffer(int fd) {
  int size = 0;
  socklen_t length = sizeof(size);
  if (getsockopt(fd, SOL_SOCKET, SO_RCVBUF, &size, &length) == -1) return failWith(errno);
  return size;
}

int socketLocalPort(int fd) {
  sockaddr_storage address{};
  socklen_t length = sizeof(address);
  if (getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) == -1) {
    return failWith(errno);
  }
  if (address.ss_family == AF_INET) {
    return ntohs(reinterpret_cast<const sockaddr_in*>(&address)->sin_port);
  }
  if (address.ss_family == AF_INET6) {
    return ntohs(reinterpret_cast<const sockaddr_in6*>(&address)->sin6_port);
  }
  return failWith(EAFNOSUPPORT);
}

int socketClose(int fd) { return ::close(fd) == -1 ? failWith(errno) : 0; }

namespace detail {

void* openLibrary(const char* library) { return dlopen(library, RTLD_LAZY | RTLD_LOCAL); }

void* findSymbol(void* p_library, const char* name) { return dlsym(p_library, name); }

void closeLibrary(void* p_library) { dlclose(p_library); }

}  // namespace detail

}  // namespace platform
}  // namespace mo
