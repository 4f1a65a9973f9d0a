#ifndef MO_EVENT_NETWORK_H
#define MO_EVENT_NETWORK_H

#include "engine/core/Event.h"

namespace mo {

/// What a network event reports.
const int NETWORK_UNDEFINED = -1;
/// A connection was accepted.
const int NETWORK_ACCEPT = 0;
/// A connection was closed.
const int NETWORK_CLOSE = 2;
/// A complete message is waiting on a connection.
const int NETWORK_DATA = 3;

/// "mo-network": sent by the NetworkManager when it accepts a connection,
/// closes one, or finds a whole message waiting on one. Label 1 is valid
/// but never sent by the engine.
class EventNetwork : public Event {
 public:
  /// An event with the label (see setLabel()), socket index -1, bytes 0.
  explicit EventNetwork(int init_label);

  /// NETWORK_ACCEPT, NETWORK_CLOSE, NETWORK_DATA or NETWORK_UNDEFINED.
  int getLabel() const { return label; }
  /// Stores new_label when it is -1 to 3; otherwise logs and stores
  /// NETWORK_UNDEFINED.
  void setLabel(int new_label);
  /// The index of the connection in the NetworkManager; -1 when unset.
  int getSocketIndex() const { return socket_index; }
  void setSocketIndex(int new_socket_index) { socket_index = new_socket_index; }
  /// For NETWORK_DATA, the size of the waiting message in bytes, its
  /// 4-byte size field included; 0 otherwise.
  int getBytes() const { return bytes; }
  void setBytes(int new_bytes) { bytes = new_bytes; }

 private:
  int label;
  int socket_index;
  int bytes;
};

}  // namespace mo

#endif
