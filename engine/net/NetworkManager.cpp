#include "engine/net/NetworkManager.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "engine/core/LogManager.h"
#include "engine/core/platform.h"
#include "engine/net/EventNetwork.h"

namespace mo {

namespace {

// Connections waiting for accept() that the system keeps for us.
const int LISTEN_BACKLOG = 16;

// A receive buffer twice the largest message: the manager only peeks, so
// a message is announced only once all of it fits in the buffer at once,
// and the system counts its own bookkeeping against the same space.
const int RECEIVE_BUFFER_BYTES = 2 * MAX_MESSAGE_BYTES;

// A peer that reads nothing must not make the queue grow without end.
const std::size_t MAX_PENDING_BYTES = 4 * static_cast<std::size_t>(MAX_MESSAGE_BYTES);

bool isMalformed(int size) { return size < MESSAGE_SIZE_BYTES || size > MAX_MESSAGE_BYTES; }

}  // namespace

NetworkManager::NetworkManager() : sock(-1), max_sockets(1), next_serial(0) {
  setType("NetworkManager");
}

NetworkManager::~NetworkManager() {
  // The log may already be gone when the program ends: close quietly.
  for (int fd : conn) {
    if (fd >= 0) platform::socketClose(fd);
  }
  if (sock != -1) platform::socketClose(sock);
}

NetworkManager& NetworkManager::getInstance() {
  static NetworkManager network_manager;
  return network_manager;
}

bool NetworkManager::isValid(std::string event_type) const {
  if (event_type == NETWORK_EVENT || event_type == KEYBOARD_NETWORK_EVENT ||
      event_type == MOUSE_NETWORK_EVENT || event_type == CUSTOM_NETWORK_EVENT) {
    return true;
  }
  LogManager::getInstance().writeLog(
      "NetworkManager::isValid(): Error! NetworkManager does not handle %s.", event_type.c_str());
  return false;
}

int NetworkManager::startUp() {
  // POSIX sockets need no library to be started first.
  Manager::startUp();
  LogManager::getInstance().writeLog(5, "NetworkManager::startUp(): successfully started.");
  return 0;
}

void NetworkManager::shutDown() {
  // A close handler may close or open connections itself; an entry whose
  // socket is already gone is in the middle of its own close.
  while (true) {
    const auto open = std::find_if(conn.begin(), conn.end(), [](int fd) { return fd >= 0; });
    if (open == conn.end()) break;
    close(static_cast<int>(open - conn.begin()));
  }
  if (sock != -1) {
    platform::socketClose(sock);
    sock = -1;
  }
  Manager::shutDown();
  LogManager::getInstance().writeLog(5, "NetworkManager::shutDown(): successfully stopped.");
}

bool NetworkManager::isServer() const { return sock != -1; }

int NetworkManager::getNumConnections() const { return static_cast<int>(conn.size()); }

int NetworkManager::accept() {
  LogManager& log = LogManager::getInstance();
  if (sock == -1) {
    log.writeLog("NetworkManager::accept(): Error! Not setup as server.");
    return -2;
  }
  const int fd = platform::socketAccept(sock);
  if (fd == -1) {
    const int code = platform::lastSocketError();
    if (platform::isWouldBlock(code)) {
      log.writeLog(15, "NetworkManager::accept(): No new connection. Not blocking.");
      return -1;
    }
    log.writeLog("NetworkManager::accept(): Error! accept() returned:");
    logSocketError(code);
    return -2;
  }
  if (getNumConnections() >= max_sockets) {
    log.writeLog(1, "NetworkManager::accept(): Warning! accept() connection, but at limit (%d).",
                 max_sockets);
    log.writeLog(1, "\tUse NM.setMaxSockets() to change.");
    platform::socketClose(fd);
    return -1;
  }
  log.writeLog(1, "NetworkManager::accept(): New connection.");
  const int index = addConnection(fd, false);
  EventNetwork event(NETWORK_ACCEPT);
  event.setSocketIndex(index);
  event.setBytes(0);
  onEvent(&event);
  return index;
}

int NetworkManager::isData(int sock_index) const {
  LogManager& log = LogManager::getInstance();
  if (!isOpen(sock_index)) {
    log.writeLog("NetworkManager::isData(): Error! Sock index %d not connected.", sock_index);
    return -1;
  }
  const int count = platform::socketBytesWaiting(conn[sock_index]);
  if (count == -1) {
    log.writeLog("NetworkManager::isData(): Error! ioctl()/ioctlsocket() returned:");
    logSocketError(platform::lastSocketError());
  }
  return count;
}

int NetworkManager::genDataEvents(int sock_index) {
  if (!isOpen(sock_index) || settle(sock_index) != 1) return 0;
  flush(sock_index);
  // A failed question about the waiting bytes still lets the peek below
  // find out what it can.
  const int waiting = isData(sock_index);
  if (waiting >= 0 && waiting < MESSAGE_SIZE_BYTES) {
    return watchPeer(sock_index, MESSAGE_SIZE_BYTES);
  }

  int size = 0;
  const int have_size = peekSize(sock_index, "genDataEvents", size);
  if (have_size != 1) return have_size;

  const int now_waiting = isData(sock_index);
  if (now_waiting < 0) return 0;
  if (now_waiting < size) {
    // Only whole messages are announced, so one larger than the receive
    // buffer would never be.
    const int capacity = platform::socketReceiveBuffer(conn[sock_index]);
    if (capacity > 0 && size > capacity) {
      LogManager::getInstance().writeLog(
          "NetworkManager::genDataEvents(): Error! Message of %d bytes on connection %d cannot fit "
          "its receive buffer (%d bytes); closing it.",
          size, sock_index, capacity);
      close(sock_index);
      return -1;
    }
    return watchPeer(sock_index, size);
  }

  LogManager::getInstance().writeLog(
      15, "NetworkManager::genDataEvents(): have full message (%d bytes).", size);
  EventNetwork event(NETWORK_DATA);
  event.setBytes(size);
  event.setSocketIndex(sock_index);
  onEvent(&event);
  return 1;
}

void NetworkManager::close(int sock_index) {
  LogManager& log = LogManager::getInstance();
  if (sock_index < 0 || sock_index >= getNumConnections()) {
    log.writeLog("NetworkManager::close(): sock_index (%d) out of range.", sock_index);
    return;
  }
  // Already closed, its close event still under way: a second close from
  // a handler must not send another.
  if (conn[sock_index] < 0) return;
  if (platform::socketClose(conn[sock_index]) == -1) {
    log.writeLog("NetworkManager::close(): Error! close() returned:");
    logSocketError(platform::lastSocketError());
  }
  conn[sock_index] = -1;
  const long long serial = links[sock_index].serial;
  EventNetwork event(NETWORK_CLOSE);
  event.setSocketIndex(sock_index);
  event.setBytes(0);
  onEvent(&event);
  // Handlers may have closed or opened other connections, moving this one.
  for (std::size_t i = 0; i < links.size(); i++) {
    if (links[i].serial == serial) {
      links.erase(links.begin() + static_cast<std::ptrdiff_t>(i));
      conn.erase(conn.begin() + static_cast<std::ptrdiff_t>(i));
      break;
    }
  }
}

int NetworkManager::setServer(std::string port) {
  LogManager& log = LogManager::getInstance();
  if (sock != -1) {
    log.writeLog("NetworkManager::setServer(): Error! Already set up as server.");
    return -1;
  }
  const int fd = platform::socketListen(port, LISTEN_BACKLOG, RECEIVE_BUFFER_BYTES);
  if (fd == -1) {
    log.writeLog("NetworkManager::setServer(): Error! Cannot listen on port %s:", port.c_str());
    logSocketError(platform::lastSocketError());
    return -1;
  }
  sock = fd;
  log.writeLog(1, "NetworkManager::setServer(): Listening on port %d.", getPort());
  return 0;
}

int NetworkManager::getPort() const { return sock == -1 ? -1 : platform::socketLocalPort(sock); }

int NetworkManager::connect(std::string host, std::string port) {
  LogManager& log = LogManager::getInstance();
  const int fd = platform::socketConnect(host, port, RECEIVE_BUFFER_BYTES);
  if (fd == -1) {
    log.writeLog("NetworkManager::connect(): Error! Cannot connect to %s port %s:", host.c_str(),
                 port.c_str());
    logSocketError(platform::lastSocketError());
    return -1;
  }
  const int index = addConnection(fd, true);
  log.writeLog(1, "NetworkManager::connect(): Connecting to %s port %s as connection %d.",
               host.c_str(), port.c_str(), index);
  return index;
}

int NetworkManager::send(const void* p_buffer, int bytes, int sock_index) {
  LogManager& log = LogManager::getInstance();
  if (!isOpen(sock_index)) {
    log.writeLog("NetworkManager::send(): Error! Sock index %d not connected.", sock_index);
    return -1;
  }
  if (bytes < 0 || bytes > MAX_MESSAGE_BYTES - MESSAGE_SIZE_BYTES || (!p_buffer && bytes > 0)) {
    log.writeLog("NetworkManager::send(): Error! Message body of %d bytes not within 0 to %d.",
                 bytes, MAX_MESSAGE_BYTES - MESSAGE_SIZE_BYTES);
    return -1;
  }
  const int state = settle(sock_index);
  if (state == -1) return -1;
  Link& link = links[sock_index];
  const std::size_t pending = link.outgoing.size() - link.sent;
  if (pending + static_cast<std::size_t>(bytes) + MESSAGE_SIZE_BYTES > MAX_PENDING_BYTES) {
    log.writeLog(
        "NetworkManager::send(): Error! Connection %d already has %zu bytes waiting to go out; "
        "message not sent.",
        sock_index, pending);
    return -1;
  }
  link.outgoing.erase(link.outgoing.begin(),
                      link.outgoing.begin() + static_cast<std::ptrdiff_t>(link.sent));
  link.sent = 0;
  const std::int32_t size = bytes + MESSAGE_SIZE_BYTES;
  const char* p_size = reinterpret_cast<const char*>(&size);
  link.outgoing.insert(link.outgoing.end(), p_size, p_size + MESSAGE_SIZE_BYTES);
  if (bytes > 0) {
    const char* p_body = static_cast<const char*>(p_buffer);
    link.outgoing.insert(link.outgoing.end(), p_body, p_body + bytes);
  }
  if (state == 1 && flush(sock_index) == -1) return -1;
  log.writeLog(15, "NetworkManager::send(): message of %d bytes for connection %d.", size,
               sock_index);
  return bytes;
}

int NetworkManager::receive(void* p_buffer, int bytes, int sock_index) {
  LogManager& log = LogManager::getInstance();
  if (!isOpen(sock_index)) {
    log.writeLog("NetworkManager::receive(): Error! Sock index %d not connected.", sock_index);
    return -2;
  }
  const int state = settle(sock_index);
  if (state != 1) return state == 0 ? -1 : -2;
  const int fd = conn[sock_index];
  const int waiting = platform::socketBytesWaiting(fd);
  if (waiting == -1) {
    log.writeLog("NetworkManager::receive(): Error! ioctl() returned:");
    logSocketError(platform::lastSocketError());
    return -2;
  }
  if (waiting < MESSAGE_SIZE_BYTES) return -1;
  int size = 0;
  const int have_size = peekSize(sock_index, "receive", size);
  if (have_size != 1) return have_size == 0 ? -1 : -2;
  if (waiting < size) return -1;
  const int body = size - MESSAGE_SIZE_BYTES;
  if (body > bytes || (!p_buffer && body > 0)) {
    log.writeLog(
        "NetworkManager::receive(): Error! Message body of %d bytes does not fit a buffer of %d "
        "bytes; it stays waiting.",
        body, bytes);
    return -2;
  }
  // The whole message is already waiting, so these reads never come up
  // short; if one did, the connection would have lost its framing.
  std::int32_t header = 0;
  int taken =
      platform::socketReceive(fd, &header, MESSAGE_SIZE_BYTES) == MESSAGE_SIZE_BYTES ? 0 : -1;
  while (taken >= 0 && taken < body) {
    const int got = platform::socketReceive(fd, static_cast<char*>(p_buffer) + taken, body - taken);
    taken = got > 0 ? taken + got : -1;
  }
  if (taken < 0) {
    log.writeLog("NetworkManager::receive(): Error! recv() returned:");
    logSocketError(platform::lastSocketError());
    close(sock_index);
    return -2;
  }
  log.writeLog(15, "NetworkManager::receive(): message of %d bytes from connection %d.", size,
               sock_index);
  return body;
}

int NetworkManager::getPendingBytes(int sock_index) const {
  if (!isOpen(sock_index)) return -1;
  const Link& link = links[sock_index];
  return static_cast<int>(link.outgoing.size() - link.sent);
}

void NetworkManager::setMaxSockets(int new_max_sockets) {
  if (new_max_sockets < 0) {
    LogManager::getInstance().writeLog(
        "NetworkManager::setMaxSockets(): Error! Maximum %d is below 0; it stays %d.",
        new_max_sockets, max_sockets);
    return;
  }
  max_sockets = new_max_sockets;
}

int NetworkManager::getMaxSockets() const { return max_sockets; }

void NetworkManager::reset() {
  for (int fd : conn) {
    if (fd >= 0) platform::socketClose(fd);
  }
  if (sock != -1) platform::socketClose(sock);
  sock = -1;
  conn.clear();
  links.clear();
  max_sockets = 1;
  next_serial = 0;
  resetManager();
}

bool NetworkManager::isOpen(int sock_index) const {
  // Descriptor 0 is a valid socket on this system; only a negative one
  // marks a connection that is gone.
  return sock_index >= 0 && sock_index < getNumConnections() && conn[sock_index] >= 0;
}

int NetworkManager::addConnection(int fd, bool connecting) {
  conn.push_back(fd);
  links.push_back(Link{next_serial++, connecting, {}, 0});
  return getNumConnections() - 1;
}

int NetworkManager::settle(int sock_index) {
  if (!links[sock_index].connecting) return 1;
  const int state = platform::socketConnectState(conn[sock_index]);
  if (state == 0) return 0;
  LogManager& log = LogManager::getInstance();
  if (state == 1) {
    links[sock_index].connecting = false;
    log.writeLog(1, "NetworkManager::connect(): Connection %d established.", sock_index);
    return 1;
  }
  log.writeLog("NetworkManager::connect(): Error! Connection %d failed:", sock_index);
  logSocketError(platform::lastSocketError());
  close(sock_index);
  return -1;
}

int NetworkManager::flush(int sock_index) {
  Link& link = links[sock_index];
  while (link.sent < link.outgoing.size()) {
    const std::size_t left = link.outgoing.size() - link.sent;
    const int chunk = static_cast<int>(std::min<std::size_t>(left, INT_MAX));
    const int taken =
        platform::socketSend(conn[sock_index], link.outgoing.data() + link.sent, chunk);
    if (taken == -1) {
      const int code = platform::lastSocketError();
      if (platform::isWouldBlock(code)) return 0;
      // Nothing queued can reach the peer any more.
      link.outgoing.clear();
      link.sent = 0;
      LogManager::getInstance().writeLog("NetworkManager::send(): Error! send() returned:");
      logSocketError(code);
      return -1;
    }
    link.sent += static_cast<std::size_t>(taken);
  }
  link.outgoing.clear();
  link.sent = 0;
  return 0;
}

int NetworkManager::peekSize(int sock_index, const char* p_caller, int& size) {
  LogManager& log = LogManager::getInstance();
  std::int32_t field = 0;
  const int got = platform::socketPeek(conn[sock_index], &field, MESSAGE_SIZE_BYTES);
  if (got == -1) {
    log.writeLog("NetworkManager::%s(): Error! recv() returned:", p_caller);
    logSocketError(platform::lastSocketError());
    return -1;
  }
  if (got < MESSAGE_SIZE_BYTES) return 0;
  // A size below the field itself would be announced at once and read
  // as a negative body; one beyond the maximum could never arrive whole.
  if (isMalformed(field)) {
    log.writeLog(
        "NetworkManager::%s(): Error! Malformed message on connection %d: size %d is not within "
        "%d to %d bytes; closing it.",
        p_caller, sock_index, static_cast<int>(field), MESSAGE_SIZE_BYTES, MAX_MESSAGE_BYTES);
    close(sock_index);
    return -1;
  }
  size = field;
  return 1;
}

int NetworkManager::watchPeer(int sock_index, int needed) {
  const int fd = conn[sock_index];
  char byte = 0;
  const int peeked = platform::socketPeek(fd, &byte, 1);
  LogManager& log = LogManager::getInstance();
  if (peeked == -1) {
    const int code = platform::lastSocketError();
    if (platform::isWouldBlock(code)) return 0;
    log.writeLog("NetworkManager::genDataEvents(): Error! recv() returned:");
    logSocketError(code);
    return -1;
  }
  // With bytes waiting a peek cannot see the end of the stream; the rest
  // of the message may still be on its way unless the peer has gone.
  if (peeked > 0 && !platform::socketPeerShutDown(fd)) return 0;
  // The peer has gone: what is waiting now is all that will ever come.
  const int waiting = platform::socketBytesWaiting(fd);
  if (waiting < 0 || waiting >= needed) return 0;
  if (waiting == 0) {
    log.writeLog(1, "NetworkManager::genDataEvents(): Connection %d closed by peer.", sock_index);
    close(sock_index);
    return 0;
  }
  log.writeLog(
      "NetworkManager::genDataEvents(): Error! Connection %d closed by peer in the middle of a "
      "message (%d of %d bytes); closing it.",
      sock_index, waiting, needed);
  close(sock_index);
  return -1;
}

void NetworkManager::logSocketError(int code) const {
  std::string text = platform::socketErrorText(code);
  text = text.substr(0, text.find('\r'));
  if (text.empty()) return;
  LogManager::getInstance().writeLog("\t%d - %s", code, text.c_str());
}

}  // namespace mo
