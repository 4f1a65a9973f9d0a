// Fuzz target: bytes from a raw peer read by the NetworkManager as
// messages.
#include <cstdlib>
#include <string>

#include "engine/core/platform.h"
#include "engine/net/NetworkManager.h"
#include "fuzz/FuzzTarget.h"

MO_FUZZ_TARGET(networkBytes) {
  mo::fuzz::freshEngine();
  mo::NetworkManager& network = mo::NetworkManager::getInstance();
  network.startUp();
  if (network.setServer("0") != 0) abort();
  // A raw peer: the bytes arrive exactly as sent, size fields and all.
  const int peer = mo::platform::socketConnect("127.0.0.1", std::to_string(network.getPort()), 0);
  if (peer < 0) abort();
  int accepted = -1;
  for (int tries = 0; tries < 1000 && accepted < 0; tries++) accepted = network.accept();
  if (accepted < 0) abort();
  while (mo::platform::socketConnectState(peer) == 0) {
  }
  for (std::size_t sent = 0; sent < size;) {
    const int taken = mo::platform::socketSend(peer, p_data + sent, static_cast<int>(size - sent));
    if (taken <= 0) break;
    sent += static_cast<std::size_t>(taken);
  }
  mo::platform::socketClose(peer);
  char buffer[4096];
  for (int pass = 0; pass < 256 && network.getNumConnections() > 0; pass++) {
    if (network.genDataEvents(accepted) == 1) network.receive(buffer, sizeof buffer, accepted);
  }
  network.shutDown();
}
