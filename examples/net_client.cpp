// The client half of a tiny network pair (see net_server.cpp): it
// connects to the server, sends "ping 1", "ping 2", ... twice a second,
// shows each answer, and leaves after five answers. Shows
// NetworkManager::connect(), send(), and receive() on "mo-network"
// events.
//
//   net_client [host [port]]   127.0.0.1 and 9876 unless given
//
// Outline: set-up, objects, loop, shut-down.

#include <algorithm>
#include <string>

#include "ExampleEnd.h"
#include "engine/Morvane.h"

// Sends pings on a connection and counts the answers.
class Pinger : public mo::Object {
 public:
  Pinger(int init_connection, mo::ViewObject* p_init_shown)
      : connection(init_connection), p_shown(p_init_shown) {
    setType("Pinger");
    setSolidness(mo::SPECTRAL);
    setVisible(false);
    registerInterest(mo::STEP_EVENT);
    registerInterest(mo::NETWORK_EVENT);
  }

  int eventHandler(const mo::Event* p_e) override {
    mo::NetworkManager& network = mo::NetworkManager::getInstance();
    const mo::LogManager& log = mo::LogManager::getInstance();
    if (p_e->getType() == mo::STEP_EVENT) {
      const int frame_time = std::max(1, mo::GameManager::getInstance().getFrameTime());
      const int every = std::max(1, 500 / frame_time);
      if (static_cast<const mo::EventStep*>(p_e)->getStepCount() % every != 0) return 1;
      // A message sent while the connection is still being made waits
      // in the manager and goes out once it is made.
      const std::string text = "ping " + std::to_string(++sent);
      network.send(text.data(), static_cast<int>(text.size()), connection);
      return 1;
    }
    if (p_e->getType() != mo::NETWORK_EVENT) return 0;
    const auto* p_net = static_cast<const mo::EventNetwork*>(p_e);
    if (p_net->getLabel() == mo::NETWORK_CLOSE) {
      log.writeLog("Client: the connection closed.");
      mo::GameManager::getInstance().setGameOver();
      return 1;
    }
    if (p_net->getLabel() != mo::NETWORK_DATA) return 0;
    char buffer[256];
    const int bytes = network.receive(buffer, sizeof buffer, p_net->getSocketIndex());
    if (bytes < 0) return 0;
    const std::string answer(buffer, static_cast<std::size_t>(bytes));
    log.writeLog("Client: the server answered '%s'.", answer.c_str());
    p_shown->setViewString("Answer: " + answer);
    if (++answers == 5) mo::GameManager::getInstance().setGameOver();
    return 1;
  }

 private:
  int connection;
  mo::ViewObject* p_shown;
  int sent = 0;
  int answers = 0;
};

int main(int argc, char* argv[]) {
  // Set-up.
  mo::Config::getInstance().loadConfig("networking:true,window_title:Morvane-client,");
  mo::GameManager& game = mo::GameManager::getInstance();
  if (game.startUp() != 0) {
    mo::LogManager::getInstance().writeLog("Error starting game manager!");
    game.shutDown();
    return 1;
  }
  const int connection = mo::NetworkManager::getInstance().connect(
      argc > 1 ? argv[1] : "127.0.0.1", argc > 2 ? argv[2] : mo::DEFAULT_PORT);
  if (connection < 0) {
    game.shutDown();
    return 1;
  }

  // Objects.
  auto* p_shown = new mo::ViewObject;
  p_shown->setViewString("Connecting");
  p_shown->setDrawValue(false);
  p_shown->setLocation(mo::CENTER_CENTER);
  new Pinger(connection, p_shown);
  new ExampleEnd;

  // Loop.
  game.run();

  // Shut-down: the server sees the connection close and stops too.
  game.shutDown();
  return 0;
}
