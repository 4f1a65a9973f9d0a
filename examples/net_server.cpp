// The server half of a tiny network pair (see net_client.cpp): it
// listens on a port, answers every message of its client with the same
// text in capitals, shows the last one, and stops when the client
// leaves. Shows NetworkManager::setServer(), "mo-network" events, and
// receive() and send() of whole messages.
//
//   net_server [port]        port 9876 unless given; 0 takes any free one
//
// Outline: set-up, objects, loop, shut-down.

#include <cctype>
#include <cstdio>
#include <string>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// Answers each message on the connection it arrived on.
class Echo : public mo::Object {
 public:
  explicit Echo(mo::ViewObject* p_init_shown) : p_shown(p_init_shown) {
    setType("Echo");
    setSolidness(mo::SPECTRAL);
    setVisible(false);
    registerInterest(mo::NETWORK_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    if (p_e->getType() != mo::NETWORK_EVENT) return 0;
    const auto* p_net = static_cast<const mo::EventNetwork*>(p_e);
    mo::NetworkManager& network = mo::NetworkManager::getInstance();
    const mo::LogManager& log = mo::LogManager::getInstance();
    switch (p_net->getLabel()) {
      case mo::NETWORK_ACCEPT:
        log.writeLog("Server: a client connected.");
        return 1;
      case mo::NETWORK_DATA: {
        // The event only says that a whole message waits; take it off
        // the connection, or the same event comes again next frame.
        char buffer[256];
        const int bytes = network.receive(buffer, sizeof buffer, p_net->getSocketIndex());
        if (bytes < 0) return 0;
        std::string text(buffer, static_cast<std::size_t>(bytes));
        log.writeLog("Server: got '%s'.", text.c_str());
        for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        network.send(text.data(), static_cast<int>(text.size()), p_net->getSocketIndex());
        p_shown->setViewString("Last: " + text);
        return 1;
      }
      case mo::NETWORK_CLOSE:
        log.writeLog("Server: the client left; stopping.");
        mo::GameManager::getInstance().setGameOver();
        return 1;
      default:
        return 0;
    }
  }

 private:
  mo::ViewObject* p_shown;
};

int main(int argc, char* argv[]) {
  // Set-up: networking is off unless configured; turning it on here,
  // before startUp(), lets the configuration file still have its say.
  mo::Config::getInstance().loadConfig("networking:true,window_title:Morvane-server,");
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }
  mo::NetworkManager& network = mo::NetworkManager::getInstance();
  if (network.setServer(argc > 1 ? argv[1] : mo::DEFAULT_PORT) != 0) {
    game.shutDown();
    return 1;
  }
  // The port goes to standard output too, for whoever starts the client.
  std::printf("Server: listening on port %d\n", network.getPort());
  std::fflush(stdout);
  mo::LogManager::getInstance().writeLog("Server: listening on port %d.", network.getPort());

  // Objects.
  auto* p_shown = new mo::ViewObject;
  p_shown->setViewString("Waiting for a client");
  p_shown->setDrawValue(false);
  p_shown->setLocation(mo::CENTER_CENTER);
  new Echo(p_shown);
  new ExampleEnd;

  // Loop: the GameManager accepts the client and announces its messages.
  game.run();

  // Shut-down: closes the connection and the listening socket.
  game.shutDown();
  return 0;
}
