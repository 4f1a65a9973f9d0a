#include "engine/net/NetworkManager.h"

#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <tuple>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/platform.h"
#include "engine/net/EventNetwork.h"
#include "engine/world/Object.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using Lines = std::vector<std::string>;
/// label, socket index, bytes of one network event.
using Seen = std::tuple<int, int, int>;
using Seens = std::vector<Seen>;

/// Polls done every 5 ms, at most 200 times: whether it came true.
bool waitFor(const std::function<bool()>& done) {
  for (int i = 0; i < 200; i++) {
    if (done()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

std::string sizeField(std::int32_t size) {
  char bytes[MESSAGE_SIZE_BYTES];
  std::memcpy(bytes, &size, sizeof(bytes));
  return std::string(bytes, sizeof(bytes));
}

/// A message as it travels: its size field, then the body.
std::string frame(const std::string& body) {
  return sizeField(static_cast<std::int32_t>(body.size()) + MESSAGE_SIZE_BYTES) + body;
}

/// A body of n bytes in which every position differs from its neighbours.
std::string pattern(int n) {
  std::string body(static_cast<std::size_t>(n), '\0');
  for (int i = 0; i < n; i++) {
    body[static_cast<std::size_t>(i)] = static_cast<char>(i * 7 + i / 251);
  }
  return body;
}

/// A connection made straight on the socket layer, to send the manager
/// any bytes at all.
class Peer {
 public:
  explicit Peer(const std::string& port) : fd(platform::socketConnect("127.0.0.1", port, 0)) {
    EXPECT_TRUE(waitFor([&] { return platform::socketConnectState(fd) == 1; }));
  }
  ~Peer() { hangUp(); }
  Peer(const Peer&) = delete;
  Peer& operator=(const Peer&) = delete;

  void put(const std::string& bytes) {
    std::size_t done = 0;
    EXPECT_TRUE(waitFor([&] {
      const int taken =
          platform::socketSend(fd, bytes.data() + done, static_cast<int>(bytes.size() - done));
      if (taken > 0) done += static_cast<std::size_t>(taken);
      return done == bytes.size();
    }));
  }
  void hangUp() {
    if (fd >= 0) platform::socketClose(fd);
    fd = -1;
  }
  /// Whether the manager has closed its end.
  bool sawEnd() const {
    char byte = 0;
    return platform::socketPeek(fd, &byte, 1) == 0;
  }

 private:
  int fd;
};

/// Records every network event it receives.
class NetworkProbe : public Object {
 public:
  NetworkProbe() { registerInterest(NETWORK_EVENT); }
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() != NETWORK_EVENT) return 0;
    const auto* p_event = static_cast<const EventNetwork*>(p_e);
    seen.emplace_back(p_event->getLabel(), p_event->getSocketIndex(), p_event->getBytes());
    return 1;
  }
  Seens seen;
};

Lines containing(const Lines& lines, const std::string& part) {
  Lines found;
  for (const std::string& line : lines) {
    if (line.find(part) != std::string::npos) found.push_back(line);
  }
  return found;
}

class NetworkManagerTest : public test::EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    ASSERT_EQ(log.startUp(), 0);
  }
  /// Every message so far; closes the log.
  Lines messages() const {
    log.setLogLevel(0);
    log.shutDown();
    return logMessages();
  }
  /// Listens on a free port: the port.
  std::string serve() {
    EXPECT_EQ(nm.setServer("0"), 0);
    return std::to_string(nm.getPort());
  }
  /// The index of the next accepted connection; -1 when none came.
  int acceptOne() {
    int index = -1;
    waitFor([&] { return (index = nm.accept()) >= 0; });
    return index;
  }
  /// The first non-zero result of genDataEvents(sock_index), else 0.
  int announce(int sock_index) {
    int result = 0;
    waitFor([&] { return (result = nm.genDataEvents(sock_index)) != 0; });
    return result;
  }

  LogManager& log = LogManager::getInstance();
  NetworkManager& nm = NetworkManager::getInstance();
};

TEST_F(NetworkManagerTest, HandlesTheFourNetworkTypesWhichObjectsRegisterWithIt) {
  NetworkProbe probe;
  for (const std::string& type :
       {NETWORK_EVENT, KEYBOARD_NETWORK_EVENT, MOUSE_NETWORK_EVENT, CUSTOM_NETWORK_EVENT}) {
    EXPECT_TRUE(nm.isValid(type)) << type;
    if (type != NETWORK_EVENT) {
      EXPECT_EQ(probe.registerInterest(type), 0) << type;
    }
  }
  Event custom;
  custom.setType(CUSTOM_NETWORK_EVENT);
  EXPECT_EQ(nm.onEvent(&custom), 1);
  EXPECT_FALSE(nm.isValid("mo-step"));
  EXPECT_EQ(messages(), Lines{"NetworkManager::isValid(): Error! NetworkManager does not handle "
                              "mo-step."});
}

TEST_F(NetworkManagerTest, RejectsIndexesThatAreNotConnectedAndBadSetUps) {
  NetworkProbe probe;
  char buffer[8] = {};
  EXPECT_FALSE(nm.isServer());
  EXPECT_EQ(nm.getPort(), -1);
  EXPECT_EQ(nm.accept(), -2);
  const int taken = platform::socketListen("0", 1, 0);
  const std::string taken_port = std::to_string(platform::socketLocalPort(taken));
  EXPECT_EQ(nm.setServer(taken_port), -1);
  platform::socketClose(taken);
  Peer peer(serve());
  EXPECT_EQ(nm.setServer("0"), -1);
  EXPECT_EQ(nm.connect("127.0.0.1", "no-such-service"), -1);
  nm.setMaxSockets(-1);
  EXPECT_EQ(nm.getMaxSockets(), 1);
  ASSERT_EQ(acceptOne(), 0);

  // One connection: index 1 is the number of connections, one too many.
  EXPECT_EQ(nm.isData(1), -1);
  EXPECT_EQ(nm.isData(-1), -1);
  EXPECT_EQ(nm.genDataEvents(1), 0);
  EXPECT_EQ(nm.send("x", 1, 1), -1);
  EXPECT_EQ(nm.send("x", -1, 0), -1);
  EXPECT_EQ(nm.send(nullptr, 1, 0), -1);
  EXPECT_EQ(nm.receive(buffer, sizeof(buffer), 3), -2);
  EXPECT_EQ(nm.getPendingBytes(1), -1);
  nm.close(1);
  EXPECT_EQ(nm.getNumConnections(), 1);
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_ACCEPT, 0, 0}}));  // failures send nothing
  nm.reset();
  EXPECT_TRUE(waitFor([&] { return peer.sawEnd(); }));
  EXPECT_FALSE(nm.isServer());
  EXPECT_EQ(nm.getNumConnections(), 0);
  EXPECT_EQ(
      messages(),
      (Lines{"NetworkManager::accept(): Error! Not setup as server.",
             "NetworkManager::setServer(): Error! Cannot listen on port " + taken_port + ":",
             "\t98 - Address already in use",
             "NetworkManager::setServer(): Error! Already set up as server.",
             "NetworkManager::connect(): Error! Cannot connect to 127.0.0.1 port no-such-service:",
             "\t-8 - Servname not supported for ai_socktype",
             "NetworkManager::setMaxSockets(): Error! Maximum -1 is below 0; it stays 1.",
             "NetworkManager::isData(): Error! Sock index 1 not connected.",
             "NetworkManager::isData(): Error! Sock index -1 not connected.",
             "NetworkManager::send(): Error! Sock index 1 not connected.",
             "NetworkManager::send(): Error! Message body of -1 bytes not within 0 to 1048572.",
             "NetworkManager::send(): Error! Message body of 1 bytes not within 0 to 1048572.",
             "NetworkManager::receive(): Error! Sock index 3 not connected.",
             "NetworkManager::close(): sock_index (1) out of range."}));
}

TEST_F(NetworkManagerTest, AcceptAnnouncesConnectionsAndRefusesThoseOverTheLimit) {
  log.setLogLevel(1);
  NetworkProbe probe;
  const std::string port = serve();
  EXPECT_EQ(nm.accept(), -1);  // nothing waiting
  Peer first(port);
  ASSERT_EQ(acceptOne(), 0);
  Peer second(port);
  EXPECT_TRUE(waitFor([&] { return nm.accept() == -1 && second.sawEnd(); }));
  nm.setMaxSockets(2);
  Peer third(port);
  ASSERT_EQ(acceptOne(), 1);
  EXPECT_FALSE(first.sawEnd() || third.sawEnd());
  EXPECT_EQ(nm.getNumConnections(), 2);
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_ACCEPT, 0, 0}, {NETWORK_ACCEPT, 1, 0}}));
  EXPECT_EQ(messages(), (Lines{"NetworkManager::setServer(): Listening on port " + port + ".",
                               "NetworkManager::accept(): New connection.",
                               "NetworkManager::accept(): Warning! accept() connection, but at "
                               "limit (1).",
                               "\tUse NM.setMaxSockets() to change.",
                               "NetworkManager::accept(): New connection."}));
}

TEST_F(NetworkManagerTest, MessageInPiecesIsAnnouncedOnceWholeAndAgainUntilTaken) {
  NetworkProbe probe;
  Peer peer(serve());
  ASSERT_EQ(acceptOne(), 0);
  probe.seen.clear();
  log.setLogLevel(15);
  const std::string body = pattern(96);
  const std::string message = frame(body);
  // 3 bytes of the size field; a size of 100 with 60 bytes; all 100.
  const struct {
    std::size_t end;
    int result;
  } pieces[] = {{3, 0}, {60, 0}, {100, 1}};
  std::size_t start = 0;
  for (const auto& piece : pieces) {
    peer.put(message.substr(start, piece.end - start));
    start = piece.end;
    ASSERT_TRUE(waitFor([&] { return nm.isData(0) == static_cast<int>(piece.end); }));
    EXPECT_EQ(nm.genDataEvents(0), piece.result) << piece.end << " bytes";
  }
  EXPECT_EQ(nm.genDataEvents(0), 1);
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_DATA, 0, 100}, {NETWORK_DATA, 0, 100}}));

  char buffer[100] = {};
  EXPECT_EQ(nm.receive(buffer, 95, 0), -2);
  EXPECT_EQ(nm.isData(0), 100);
  EXPECT_EQ(nm.receive(buffer, sizeof(buffer), 0), 96);
  EXPECT_EQ(std::string(buffer, 96), body);
  EXPECT_EQ(nm.genDataEvents(0), 0);
  EXPECT_EQ(nm.receive(buffer, sizeof(buffer), 0), -1);
  EXPECT_EQ(probe.seen.size(), 2u);
  const Lines lines = messages();
  EXPECT_EQ(containing(lines, "have full message"),
            Lines(2, "NetworkManager::genDataEvents(): have full message (100 bytes)."));
  EXPECT_EQ(containing(lines, "does not fit"),
            Lines{"NetworkManager::receive(): Error! Message body of 96 bytes does not fit a "
                  "buffer of 95 bytes; it stays waiting."});
}

TEST_F(NetworkManagerTest, MessagesBackToBackAreAnnouncedAndTakenOneByOneInOrder) {
  NetworkProbe probe;
  Peer peer(serve());
  ASSERT_EQ(acceptOne(), 0);
  const Lines bodies = {"", "a", std::string("\0\xff\x7f", 3), pattern(5000), "last"};
  std::string stream;
  for (const std::string& body : bodies) stream += frame(body);
  peer.put(stream);
  ASSERT_TRUE(waitFor([&] { return nm.isData(0) == static_cast<int>(stream.size()); }));
  std::vector<char> buffer(5000);
  for (const std::string& body : bodies) {
    ASSERT_EQ(nm.genDataEvents(0), 1);
    EXPECT_EQ(std::get<2>(probe.seen.back()), static_cast<int>(body.size()) + 4);
    ASSERT_EQ(nm.receive(buffer.data(), static_cast<int>(buffer.size()), 0),
              static_cast<int>(body.size()));
    EXPECT_EQ(std::string(buffer.data(), body.size()), body);
  }
  EXPECT_EQ(nm.genDataEvents(0), 0);
  EXPECT_EQ(probe.seen.size(), 1 + bodies.size());
}

TEST_F(NetworkManagerTest, PeerThatClosesGetsOneCloseEventAndNoWholeMessageIsLost) {
  log.setLogLevel(1);
  NetworkProbe probe;
  const std::string port = serve();
  const struct {
    const char* name;
    std::string sent;
    int announced;
    std::string line;
  } cases[] = {
      {"nothing", "", 0, "NetworkManager::genDataEvents(): Connection 0 closed by peer."},
      {"a whole message", frame("bye"), 1,
       "NetworkManager::genDataEvents(): Connection 0 closed by peer."},
      {"3 bytes of a size field", sizeField(100).substr(0, 3), 0,
       "NetworkManager::genDataEvents(): Error! Connection 0 closed by peer in the middle of a "
       "message (3 of 4 bytes); closing it."},
      {"50 bytes of 100", frame(pattern(96)).substr(0, 50), 0,
       "NetworkManager::genDataEvents(): Error! Connection 0 closed by peer in the middle of a "
       "message (50 of 100 bytes); closing it."},
  };
  Lines expected;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Peer peer(port);
    ASSERT_EQ(acceptOne(), 0);
    peer.put(c.sent);
    ASSERT_TRUE(waitFor([&] { return nm.isData(0) == static_cast<int>(c.sent.size()); }));
    peer.hangUp();
    probe.seen.clear();
    int announced = 0;
    char buffer[8];
    EXPECT_TRUE(waitFor([&] {
      if (nm.genDataEvents(0) == 1) {
        announced++;
        EXPECT_EQ(nm.receive(buffer, sizeof(buffer), 0), 3);
        EXPECT_EQ(std::string(buffer, 3), "bye");
      }
      return nm.getNumConnections() == 0;
    }));
    EXPECT_EQ(announced, c.announced);
    EXPECT_EQ(probe.seen.back(), Seen(NETWORK_CLOSE, 0, 0));
    EXPECT_EQ(probe.seen.size(), static_cast<std::size_t>(c.announced) + 1);
    expected.push_back(c.line);
  }
  EXPECT_EQ(containing(messages(), "closed by peer"), expected);
}

TEST_F(NetworkManagerTest, MalformedSizeIsLoggedAndClosesOnlyThatConnection) {
  NetworkProbe probe;
  const std::string port = serve();
  nm.setMaxSockets(2);
  Peer bystander(port);
  ASSERT_EQ(acceptOne(), 0);
  const struct {
    std::int32_t size;
    bool by_receive;
    int result;
  } cases[] = {{-5, false, -1}, {0, false, -1}, {3, true, -2},
               {INT_MIN, true, -2}, {4, false, 1}, {MAX_MESSAGE_BYTES + 1, false, -1}};
  Lines expected;
  for (const auto& c : cases) {
    SCOPED_TRACE(c.size);
    Peer peer(port);
    ASSERT_EQ(acceptOne(), 1);
    peer.put(sizeField(c.size) + "abcd");
    ASSERT_TRUE(waitFor([&] { return nm.isData(1) == 8; }));
    probe.seen.clear();
    char buffer[8];
    EXPECT_EQ(c.by_receive ? nm.receive(buffer, sizeof(buffer), 1) : nm.genDataEvents(1), c.result);
    if (c.result == 1) {
      EXPECT_EQ(probe.seen, (Seens{{NETWORK_DATA, 1, 4}}));
      nm.close(1);
      continue;
    }
    EXPECT_EQ(probe.seen, (Seens{{NETWORK_CLOSE, 1, 0}}));
    EXPECT_EQ(nm.getNumConnections(), 1);
    EXPECT_TRUE(waitFor([&] { return peer.sawEnd(); }));
    expected.push_back(std::string("NetworkManager::") +
                       (c.by_receive ? "receive" : "genDataEvents") +
                       "(): Error! Malformed message on connection 1: size " +
                       std::to_string(c.size) + " is not within 4 to 1048576 bytes; closing it.");
  }
  EXPECT_FALSE(bystander.sawEnd());
  EXPECT_EQ(containing(messages(), "Malformed"), expected);
}

TEST_F(NetworkManagerTest, ShutDownClosesEveryConnectionWithOneCloseEventEach) {
  log.setLogLevel(5);
  NetworkProbe probe;
  const std::string port = serve();
  nm.setMaxSockets(3);
  std::vector<std::unique_ptr<Peer>> peers;
  for (int i = 0; i < 3; i++) {
    peers.push_back(std::make_unique<Peer>(port));
    ASSERT_EQ(acceptOne(), i);
  }
  nm.close(1);
  EXPECT_TRUE(waitFor([&] { return peers[1]->sawEnd(); }));
  // The third connection moved down to index 1.
  peers[2]->put(frame("third"));
  EXPECT_EQ(announce(1), 1);
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_ACCEPT, 0, 0},
                               {NETWORK_ACCEPT, 1, 0},
                               {NETWORK_ACCEPT, 2, 0},
                               {NETWORK_CLOSE, 1, 0},
                               {NETWORK_DATA, 1, 9}}));
  probe.seen.clear();
  ASSERT_EQ(nm.startUp(), 0);
  nm.shutDown();
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_CLOSE, 0, 0}, {NETWORK_CLOSE, 0, 0}}));
  EXPECT_EQ(nm.getNumConnections(), 0);
  EXPECT_FALSE(nm.isServer());
  EXPECT_TRUE(waitFor([&] { return peers[0]->sawEnd() && peers[2]->sawEnd(); }));
  EXPECT_EQ(containing(messages(), "successfully"),
            (Lines{"NetworkManager::startUp(): successfully started.",
                   "NetworkManager::shutDown(): successfully stopped."}));
}

TEST_F(NetworkManagerTest, ConnectionThatIsRefusedEndsWithACloseEvent) {
  NetworkProbe probe;
  const int listener = platform::socketListen("0", 1, 0);
  const std::string port = std::to_string(platform::socketLocalPort(listener));
  platform::socketClose(listener);
  const int index = nm.connect("127.0.0.1", port);
  ASSERT_EQ(index, 0);
  EXPECT_TRUE(waitFor([&] {
    nm.genDataEvents(index);
    return nm.getNumConnections() == 0;
  }));
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_CLOSE, 0, 0}}));
  EXPECT_EQ(messages(), (Lines{"NetworkManager::connect(): Error! Connection 0 failed:",
                               "\t111 - Connection refused"}));
}

TEST_F(NetworkManagerTest, ClientAndServerInOneManagerExchangeMessagesUpToTheLargest) {
  NetworkProbe probe;
  const std::string port = serve();
  nm.setMaxSockets(2);  // the client end counts too
  // Sent at once, before the connection is complete: queued until it is.
  const int client = nm.connect("127.0.0.1", port);
  const std::string largest = pattern(MAX_MESSAGE_BYTES - MESSAGE_SIZE_BYTES);
  ASSERT_EQ(nm.send(largest.data(), static_cast<int>(largest.size()), client),
            static_cast<int>(largest.size()));
  const int server = acceptOne();
  ASSERT_EQ(server, 1);
  int result = 0;
  EXPECT_TRUE(waitFor([&] {
    nm.genDataEvents(client);  // sends on what the system could not take
    return (result = nm.genDataEvents(server)) != 0;
  }));
  EXPECT_EQ(result, 1);
  EXPECT_EQ(nm.getPendingBytes(client), 0);
  std::vector<char> buffer(largest.size());
  ASSERT_EQ(nm.receive(buffer.data(), static_cast<int>(buffer.size()), server),
            static_cast<int>(largest.size()));
  EXPECT_TRUE(std::string(buffer.data(), buffer.size()) == largest);
  EXPECT_EQ(nm.send("pong", 4, server), 4);
  EXPECT_EQ(announce(client), 1);
  EXPECT_EQ(nm.receive(buffer.data(), 4, client), 4);
  EXPECT_EQ(std::string(buffer.data(), 4), "pong");
  EXPECT_EQ(probe.seen, (Seens{{NETWORK_ACCEPT, 1, 0},
                               {NETWORK_DATA, 1, MAX_MESSAGE_BYTES},
                               {NETWORK_DATA, 0, 8}}));

  // A receiver that reads nothing: what the system cannot take is queued
  // up to a limit; once read, every message arrives whole and in order.
  std::string body = largest;
  const int size = static_cast<int>(body.size());
  int sent = 0;
  for (; sent < 40; sent++) {
    body[0] = static_cast<char>(sent);
    if (nm.send(body.data(), size, client) < 0) break;
  }
  EXPECT_LT(sent, 40);
  EXPECT_GT(nm.getPendingBytes(client), 0);
  int received = 0;
  const auto all_received = [&] {
    nm.genDataEvents(client);  // the only call left that sends on the queue
    while (received < sent && nm.genDataEvents(server) == 1) {
      body[0] = static_cast<char>(received++);
      EXPECT_EQ(nm.receive(buffer.data(), size, server), size);
      EXPECT_TRUE(std::string(buffer.data(), buffer.size()) == body) << "message " << received;
    }
    return received == sent;
  };
  EXPECT_TRUE(waitFor(all_received)) << received << " of " << sent << " messages";
  EXPECT_EQ(nm.getPendingBytes(client), 0);
  EXPECT_EQ(nm.send(largest.data(), MAX_MESSAGE_BYTES - 3, client), -1);
  const Lines lines = messages();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].rfind("NetworkManager::send(): Error! Connection 0 already has ", 0), 0u)
      << lines[0];
  EXPECT_EQ(lines[1],
            "NetworkManager::send(): Error! Message body of 1048573 bytes not within 0 to "
            "1048572.");
}

/// Plays both ends through the game loop: pings from the client end,
/// answered by the server end, one at a time.
class PingPong : public Object {
 public:
  explicit PingPong(const std::string& port) {
    registerInterest(STEP_EVENT);
    registerInterest(NETWORK_EVENT);
    client = NetworkManager::getInstance().connect("127.0.0.1", port);
  }
  int eventHandler(const Event* p_e) override {
    NetworkManager& nm = NetworkManager::getInstance();
    if (p_e->getType() == STEP_EVENT) {
      if (server >= 0 && pings < 3 && static_cast<int>(replies.size()) == pings) {
        const std::string ping = "ping " + std::to_string(pings++);
        nm.send(ping.data(), static_cast<int>(ping.size()), client);
      }
      if (replies.size() == 3 || static_cast<const EventStep*>(p_e)->getStepCount() >= 300) {
        GameManager::getInstance().setGameOver();
      }
      return 1;
    }
    const auto* p_event = static_cast<const EventNetwork*>(p_e);
    const int index = p_event->getSocketIndex();
    if (p_event->getLabel() == NETWORK_ACCEPT) server = index;
    if (p_event->getLabel() != NETWORK_DATA) return 1;
    char buffer[64];
    const int bytes = nm.receive(buffer, sizeof(buffer), index);
    const std::string text(buffer, bytes > 0 ? static_cast<std::size_t>(bytes) : 0);
    if (index == client) {
      replies.push_back(text);
    } else {
      const std::string reply = "pong " + text;
      nm.send(reply.data(), static_cast<int>(reply.size()), index);
    }
    return 1;
  }
  int client = -1;
  int server = -1;
  int pings = 0;
  Lines replies;
};

/// Leaves messages unread, counting their announcements; ends the game
/// once one was announced twice, or after 3 frames when none is expected.
class Idler : public Object {
 public:
  explicit Idler(bool init_expect_data) : expect_data(init_expect_data) {
    registerInterest(STEP_EVENT);
    registerInterest(NETWORK_EVENT);
  }
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() == NETWORK_EVENT) {
      if (static_cast<const EventNetwork*>(p_e)->getLabel() == NETWORK_DATA) announcements++;
    } else if (static_cast<const EventStep*>(p_e)->getStepCount() >= (expect_data ? 300 : 2) ||
               announcements > 1) {
      GameManager::getInstance().setGameOver();
    }
    return 1;
  }
  bool expect_data;
  int announcements = 0;
};

class NetworkLoopTest : public test::EngineTest {
 protected:
  /// Starts the engine headless, 10 ms a frame, with further items.
  void startEngine(const std::string& items, int level) {
    const test::ScopedEnv config_env(
        "MORVANE_CONFIG", writeTempFile("config.txt", "headless:true,\nframe_time:10,\n" + items));
    LogManager::getInstance().setLogLevel(level);
    ASSERT_EQ(game_manager.startUp(), 0);
  }
  GameManager& game_manager = GameManager::getInstance();
  NetworkManager& nm = NetworkManager::getInstance();
};

TEST_F(NetworkLoopTest, ClientAndServerExchangeMessagesThroughTheLoopsNetworkStep) {
  startEngine("networking:true,\n", 1);
  ASSERT_TRUE(nm.isStarted());
  ASSERT_EQ(nm.setServer("0"), 0);
  nm.setMaxSockets(2);
  PingPong* p_both = new PingPong(std::to_string(nm.getPort()));
  game_manager.run();
  EXPECT_EQ(p_both->replies, (Lines{"pong ping 0", "pong ping 1", "pong ping 2"}));
  EXPECT_EQ(p_both->client, 0);
  EXPECT_EQ(p_both->server, 1);
  game_manager.shutDown();
  EXPECT_FALSE(nm.isStarted());
  EXPECT_EQ(nm.getNumConnections(), 0);
  const Lines order = {"Input manager started.",
                       "Network manager started.",
                       "Resource manager started.",
                       "NetworkManager::accept(): New connection.",
                       "Resource manager stopped",
                       "Network manager stopped",
                       "Input manager stopped"};
  std::size_t next = 0;
  for (const std::string& message : logMessages()) {
    if (next < order.size() && message == order[next]) next++;
  }
  EXPECT_EQ(next, order.size()) << "missing or out of order: " << order[next];
}

TEST_F(NetworkLoopTest, UnreadMessageEndsEachFramesPassesAtTheDeadlineWithAWarning) {
  startEngine("networking:true,\n", 0);
  ASSERT_EQ(nm.setServer("0"), 0);
  nm.setMaxSockets(2);
  Idler* p_idler = new Idler(true);
  const int client = nm.connect("127.0.0.1", std::to_string(nm.getPort()));
  ASSERT_EQ(nm.send("unread", 6, client), 6);
  game_manager.run();
  EXPECT_GT(p_idler->announcements, 1);
  game_manager.shutDown();
  const Lines residual = containing(logMessages(), "Residual");
  ASSERT_FALSE(residual.empty());
  EXPECT_EQ(residual.front(), "GameManager::run(): Warning! Residual network data.");
}

TEST_F(NetworkLoopTest, WithoutNetworkingTheManagerIsNeitherStartedNorUsed) {
  startEngine("", 1);
  EXPECT_FALSE(Config::getInstance().getNetworking());
  EXPECT_FALSE(nm.isStarted());
  ASSERT_EQ(nm.setServer("0"), 0);
  Peer peer(std::to_string(nm.getPort()));
  new Idler(false);
  game_manager.run();
  EXPECT_EQ(nm.getNumConnections(), 0);  // never accepted
  game_manager.shutDown();
  const Lines lines = logMessages();
  EXPECT_EQ(containing(lines, "Network manager"), Lines{});
  EXPECT_EQ(containing(lines, "NetworkManager::"),
            Lines{"NetworkManager::setServer(): Listening on port " +
                  std::to_string(nm.getPort()) + "."});
}

}  // namespace
}  // namespace mo
