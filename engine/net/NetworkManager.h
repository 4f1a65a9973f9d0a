#ifndef MO_NETWORK_MANAGER_H
#define MO_NETWORK_MANAGER_H

#include <cstddef>
#include <string>
#include <vector>

#include "engine/core/Manager.h"

namespace mo {

/// The bytes of the size field that starts every message: a 32-bit
/// integer in the machine's byte order, counting the whole message, the
/// size field included.
const int MESSAGE_SIZE_BYTES = 4;

/// The largest message, size field included. A size field below
/// MESSAGE_SIZE_BYTES or above this marks a malformed message.
const int MAX_MESSAGE_BYTES = 1 << 20;

/// The port setServer() and connect() use unless told otherwise.
inline const std::string DEFAULT_PORT = "9876";

/// Owns the engine's stream-socket connections. As a server it accepts
/// connections up to a limit; on every connection it recognises whole
/// messages by their size field and announces each with a "mo-network"
/// event (EventNetwork) to the objects registered for it, which then take
/// the message off with receive(). A connection is known by its index;
/// when one closes, the later ones move down one index. Nothing here
/// waits for the network.
class NetworkManager : public Manager {
 public:
  /// The single instance.
  static NetworkManager& getInstance();
  ~NetworkManager() override;

  /// True for "mo-network", "mo-keyboard-network", "mo-mouse-network"
  /// and "mo-custom-network"; any other type is logged and false.
  bool isValid(std::string event_type) const override;

  /// Marks the manager started: 0 (nothing to start on this system).
  int startUp() override;

  /// Closes every connection, each with a NETWORK_CLOSE event, and the
  /// listening socket.
  void shutDown() override;

  /// True after a successful setServer().
  bool isServer() const;

  /// The number of connections.
  int getNumConnections() const;

  /// Accepts one waiting connection and sends NETWORK_ACCEPT for it: the
  /// new index; -1 when none is waiting or the limit refused it (logged
  /// at level 1); -2 when not a server or on an error (logged).
  int accept();

  /// The number of bytes waiting on a connection; -1 (logged) for an
  /// index that is not connected or on an error.
  int isData(int sock_index) const;

  /// Announces the whole message waiting at the front of a connection
  /// with NETWORK_DATA, leaving it there for receive(): 1 when announced;
  /// 0 when there is none yet (or no such connection); -1 on a receive
  /// error (logged, the connection stays). Also sends what send() left
  /// queued. Closes the connection, with NETWORK_CLOSE, when the peer has
  /// closed its end, when a connect() failed, and (returning -1, logged)
  /// when the message is malformed or can never arrive whole.
  int genDataEvents(int sock_index);

  /// Closes a connection and sends NETWORK_CLOSE for it while its index
  /// is still valid; then the later connections move down one index. An
  /// index out of range is logged.
  void close(int sock_index);

  /// Becomes a server listening on port ("0": any free port, see
  /// getPort()) on every local address, IPv4 and IPv6. 0; -1 (logged)
  /// when already a server or the port cannot be used.
  int setServer(std::string port = DEFAULT_PORT);

  /// The port the server listens on; -1 when not a server.
  int getPort() const;

  /// Starts a connection to host (a name or a numeric address) on port
  /// and adds it, without waiting for it to complete: the new index, or
  /// -1 (logged) when it cannot be started. A host name is looked up
  /// first, which may take as long as the resolver does. Messages sent
  /// before the connection completes go out once it does; if it fails,
  /// genDataEvents() logs it and closes the connection. The connection
  /// counts towards the limit of setMaxSockets(), which only accept()
  /// enforces.
  int connect(std::string host, std::string port = DEFAULT_PORT);

  /// Sends one message: a size field of bytes + MESSAGE_SIZE_BYTES, then
  /// bytes bytes of p_buffer. What the system cannot take at once is
  /// queued and sent on by later send() and genDataEvents() calls, in
  /// order. bytes on success; -1 (logged) for an index that is not
  /// connected, a body beyond MAX_MESSAGE_BYTES - MESSAGE_SIZE_BYTES, a
  /// queue already holding several maximum messages, or a send error.
  int send(const void* p_buffer, int bytes, int sock_index);

  /// Takes the whole message waiting at the front of a connection off it
  /// and copies its body (without the size field) into p_buffer, which
  /// has room for bytes bytes. The body's size (0 for an empty message);
  /// -1 when no whole message is waiting; -2 (logged) for an index that
  /// is not connected, a body that does not fit (the message stays), a
  /// malformed size (the connection is closed) or a receive error.
  int receive(void* p_buffer, int bytes, int sock_index);

  /// The bytes of sent messages still queued on a connection; -1 for an
  /// index that is not connected.
  int getPendingBytes(int sock_index) const;

  /// accept() refuses a connection while this many connections, of any
  /// origin, are open (default 1); below 0 is logged and ignored.
  /// Lowering it closes no connection.
  void setMaxSockets(int new_max_sockets);
  /// The connection limit of accept().
  int getMaxSockets() const;

  /// Closes every socket without events or log lines and returns to the
  /// just-constructed state; for test fixtures.
  void reset();

 private:
  NetworkManager();

  /// What the manager keeps for each connection besides its socket.
  struct Link {
    long long serial;            // tells this connection apart while indexes shift
    bool connecting;             // connect() has not completed yet
    std::vector<char> outgoing;  // queued bytes of sent messages
    std::size_t sent;            // of outgoing, the bytes already sent
  };

  bool isOpen(int sock_index) const;
  int addConnection(int fd, bool connecting);
  /// 1 connected; 0 still connecting; -1 the connect failed and the
  /// connection was closed.
  int settle(int sock_index);
  /// Sends queued bytes until the system takes no more: 0, or -1 (logged,
  /// the queue dropped) on a send error.
  int flush(int sock_index);
  /// Reads the size field of the front message into size: 1; 0 when it
  /// has not arrived whole; -1 on an error or a malformed size (logged,
  /// and a malformed size closes the connection).
  int peekSize(int sock_index, const char* p_caller, int& size);
  /// Handles a connection without a whole message: closes it when its
  /// peer has gone. 0, or -1 when a message was cut short or the peek
  /// failed.
  int watchPeer(int sock_index, int waiting);
  void logSocketError(int code) const;

  int sock;
  std::vector<int> conn;
  int max_sockets;
  std::vector<Link> links;  // one per entry of conn, at the same index
  long long next_serial;
};

}  // namespace mo

#endif
