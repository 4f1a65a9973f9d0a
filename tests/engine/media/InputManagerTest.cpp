#include "engine/media/InputManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/InputState.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"

namespace mo {
namespace {

using test::ScopedEnv;
using test::WorldTest;
using Key = sf::Keyboard::Key;
using Lines = std::vector<std::string>;

/// One keyboard or mouse event as received.
struct Received {
  std::string type;
  int action;
  int key_or_button;  ///< the key for keyboard events, the button for mouse events
  Vector position;
};

/// Records the keyboard and mouse events it is sent.
class InputProbe : public Object {
 public:
  explicit InputProbe(std::vector<std::string> types) {
    setType("InputProbe");
    for (const std::string& type : types) registerInterest(type);
  }
  int eventHandler(const Event* p_e) override {
    if (p_e->getType() == KEYBOARD_EVENT) {
      const auto* p_k = dynamic_cast<const EventKeyboard*>(p_e);
      received.push_back({KEYBOARD_EVENT, p_k->getKeyboardAction(), p_k->getKey(), Vector()});
      return 1;
    }
    if (p_e->getType() == MOUSE_EVENT) {
      const auto* p_m = dynamic_cast<const EventMouse*>(p_e);
      received.push_back(
          {MOUSE_EVENT, p_m->getMouseAction(), p_m->getMouseButton(), p_m->getMousePosition()});
      return 1;
    }
    return 0;
  }
  std::vector<Received> received;
};

/// Keys and buttons held as the test says.
class FakeInputState : public InputState {
 public:
  bool isKeyPressed(Key key) const override { return every_key || keys.count(key) > 0; }
  bool isButtonPressed(sf::Mouse::Button button) const override {
    return buttons.count(button) > 0;
  }
  sf::Vector2i mousePosition(const sf::Window*) const override { return mouse; }

  bool every_key = false;
  std::set<Key> keys;
  std::set<sf::Mouse::Button> buttons;
  sf::Vector2i mouse{0, 0};
};

sf::Event keyEvent(sf::Event::EventType type, Key code) {
  sf::Event event{};
  event.type = type;
  event.key.code = code;
  return event;
}

sf::Event mouseMoved(int x, int y) {
  sf::Event event{};
  event.type = sf::Event::MouseMoved;
  event.mouseMove.x = x;
  event.mouseMove.y = y;
  return event;
}

sf::Event mouseButton(sf::Event::EventType type, sf::Mouse::Button button, int x, int y) {
  sf::Event event{};
  event.type = type;
  event.mouseButton.button = button;
  event.mouseButton.x = x;
  event.mouseButton.y = y;
  return event;
}

sf::Event plainEvent(sf::Event::EventType type) {
  sf::Event event{};
  event.type = type;
  return event;
}

/// The keys reported while held, in the order they are reported.
std::vector<int> heldKeyOrder() {
  std::vector<int> keys = {UP_ARROW,    DOWN_ARROW,    LEFT_ARROW, RIGHT_ARROW, SPACE,
                           RETURN,      TAB,           ESCAPE,     PAUSE,       MINUS,
                           PLUS,        TILDE,         PERIOD,     COMMA,       SLASH,
                           EQUAL,       BACKSLASH,     MULTIPLY,   QUOTE,       SEMICOLON,
                           LEFT_CONTROL, RIGHT_CONTROL, LEFT_SHIFT, RIGHT_SHIFT};
  for (int k = F1; k <= F10; k++) keys.push_back(k);
  for (int k = A; k <= Z; k++) keys.push_back(k);
  for (int k = NUM1; k <= NUM9; k++) keys.push_back(k);
  keys.push_back(NUM0);
  keys.push_back(BACKSPACE);
  return keys;
}

class InputManagerTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    LogManager& log = LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
    input.setInputState(&state);
    p_probe = new InputProbe({KEYBOARD_EVENT, MOUSE_EVENT});
  }

  /// Starts the display without a window, with 10 x 20 pixel cells.
  void startHeadlessDisplay() {
    const ScopedEnv config_env(
        "MORVANE_CONFIG",
        writeTempFile("mo-config.txt",
                      "headless:true,window_horizontal_pixels:800,window_vertical_pixels:600,"
                      "window_horizontal_chars:80,window_vertical_chars:30,"));
    Config::getInstance().loadConfig();
    ASSERT_EQ(DisplayManager::getInstance().startUp(), 0);
  }

  int logCount(const std::string& message) const {
    const Lines messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  /// The keys of the keyboard events received, in order.
  std::vector<int> keysReceived(int action) const {
    std::vector<int> keys;
    for (const Received& r : p_probe->received) {
      if (r.type == KEYBOARD_EVENT && r.action == action) keys.push_back(r.key_or_button);
    }
    return keys;
  }

  InputManager& input = InputManager::getInstance();
  FakeInputState state;
  InputProbe* p_probe = nullptr;
};

// --- interest and key codes -------------------------------------------------

TEST_F(InputManagerTest, DeliversOnlyKeyboardAndMouseEvents) {
  EXPECT_TRUE(input.isValid(KEYBOARD_EVENT));
  EXPECT_TRUE(input.isValid(MOUSE_EVENT));
  for (const char* type : {"mo-step", "mo-collision", "mo-out", "mo-undefined", "", "mo-keyboard "}) {
    EXPECT_FALSE(input.isValid(type)) << type;
  }
  EXPECT_EQ(input.registerInterest(p_probe, "mo-step"), -1);
  EXPECT_EQ(
      logCount("Manager(InputManager)::registerInterest(): Event 'mo-step' not valid for this "
               "Manager"),
      1);
}

TEST_F(InputManagerTest, EveryKeyMapsThroughTheTableOrPastIt) {
  // SFML key codes and the engine keys they stand for.
  std::vector<std::pair<int, int>> table = {
      {57, SPACE},        {58, RETURN},        {36, ESCAPE},      {60, TAB},
      {71, LEFT_ARROW},   {72, RIGHT_ARROW},   {73, UP_ARROW},    {74, DOWN_ARROW},
      {100, PAUSE},       {68, MINUS},         {67, PLUS},        {54, TILDE},
      {50, PERIOD},       {49, COMMA},         {52, SLASH},       {55, EQUAL},
      {53, BACKSLASH},    {69, MULTIPLY},      {51, QUOTE},       {48, SEMICOLON},
      {37, LEFT_CONTROL}, {41, RIGHT_CONTROL}, {38, LEFT_SHIFT},  {42, RIGHT_SHIFT},
      {95, F11},          {96, F12},           {26, NUM0},        {59, BACKSPACE},
  };
  for (int i = 0; i < 10; i++) table.push_back({85 + i, F1 + i});
  for (int i = 0; i < 26; i++) table.push_back({i, A + i});
  for (int i = 0; i < 9; i++) table.push_back({27 + i, NUM1 + i});
  ASSERT_EQ(table.size(), 73u);

  for (int code = -1; code < sf::Keyboard::KeyCount; code++) {
    const auto entry = std::find_if(table.begin(), table.end(),
                                    [code](const auto& e) { return e.first == code; });
    const int expected = entry != table.end() ? entry->second : code + 97;
    EXPECT_EQ(InputManager::toKeyCode(static_cast<Key>(code)), expected) << "SFML code " << code;
  }

  EXPECT_EQ(InputManager::toKeyCode(Key::A), 36);
  EXPECT_EQ(InputManager::toKeyCode(Key::Backspace), 72);
  EXPECT_EQ(InputManager::toKeyCode(Key::Num0), 71);
  EXPECT_EQ(InputManager::toKeyCode(Key::Num1), 62);
  EXPECT_EQ(InputManager::toKeyCode(Key::Escape), 2);
  EXPECT_EQ(InputManager::toKeyCode(Key::F12), 35);
  EXPECT_EQ(InputManager::toKeyCode(Key::LAlt), 136);
  EXPECT_EQ(InputManager::toKeyCode(Key::Unknown), 96);
}

TEST_F(InputManagerTest, ToEventKeyboardLeavesTheActionUndefinedAndLogs) {
  LogManager::getInstance().setLogLevel(15);
  const EventKeyboard keyboard = input.toEventKeyboard(keyEvent(sf::Event::KeyPressed, Key::A).key);
  EXPECT_EQ(keyboard.getKey(), A);
  EXPECT_EQ(keyboard.getKeyboardAction(), UNDEFINED_KEYBOARD_ACTION);
  // The engine key printed as a character: 36 is '$'.
  EXPECT_EQ(logCount("InputManager::toEventKeyboard(): Keyboard event '$' (0)"), 1);
}

// --- window events ----------------------------------------------------------

TEST_F(InputManagerTest, KeyPressAndReleaseReachKeyboardObjectsOnly) {
  auto* p_mouse_only = new InputProbe({MOUSE_EVENT});
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyPressed, Key::A)));
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyReleased, Key::A)));
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyPressed, Key::Backspace)));
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyPressed, Key::LAlt)));
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyReleased, Key::F11)));

  ASSERT_EQ(p_probe->received.size(), 5u);
  EXPECT_EQ(keysReceived(KEY_PRESSED), (std::vector<int>{36, 72, 136}));
  EXPECT_EQ(keysReceived(KEY_RELEASED), (std::vector<int>{36, 34}));
  EXPECT_EQ(p_probe->received[1].action, KEY_RELEASED);
  EXPECT_TRUE(p_mouse_only->received.empty());
}

TEST_F(InputManagerTest, InactiveObjectsGetNoInput) {
  p_probe->setActive(false);
  EXPECT_TRUE(input.handleEvent(keyEvent(sf::Event::KeyPressed, Key::A)));
  EXPECT_TRUE(p_probe->received.empty());
}

TEST_F(InputManagerTest, CloseRequestSetsGameOverAndStopsTheFrame) {
  LogManager::getInstance().setLogLevel(1);
  EXPECT_FALSE(GameManager::getInstance().getGameOver());
  EXPECT_FALSE(input.handleEvent(plainEvent(sf::Event::Closed)));
  EXPECT_TRUE(GameManager::getInstance().getGameOver());
  EXPECT_TRUE(p_probe->received.empty());
  EXPECT_EQ(logCount("InputManager::getInput(): Window close event. Setting game over."), 1);
}

TEST_F(InputManagerTest, MouseMoveIsInViewCellsWhateverTheViewCorner) {
  startHeadlessDisplay();
  WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 30));
  auto* p_keyboard_only = new InputProbe({KEYBOARD_EVENT});
  EXPECT_TRUE(input.handleEvent(mouseMoved(105, 210)));
  ASSERT_EQ(p_probe->received.size(), 1u);
  const Received& moved = p_probe->received[0];
  EXPECT_EQ(moved.type, MOUSE_EVENT);
  EXPECT_EQ(moved.action, MOVED);
  EXPECT_EQ(moved.key_or_button, UNDEFINED_MOUSE_BUTTON);
  EXPECT_FLOAT_EQ(moved.position.getX(), 10.5f);
  EXPECT_FLOAT_EQ(moved.position.getY(), 10.5f);
  EXPECT_TRUE(p_keyboard_only->received.empty());
}

TEST_F(InputManagerTest, ClickReportsTheHeldButtonOverItsOwn) {
  startHeadlessDisplay();
  struct Case {
    sf::Mouse::Button clicked;
    std::set<sf::Mouse::Button> held;
    int reported;
  };
  const Case cases[] = {
      {sf::Mouse::Right, {}, RIGHT},
      {sf::Mouse::Right, {sf::Mouse::Right}, RIGHT},
      {sf::Mouse::Right, {sf::Mouse::Left, sf::Mouse::Right}, LEFT},
      {sf::Mouse::Left, {sf::Mouse::Left}, LEFT},
      // The press already ended when the frame looks.
      {sf::Mouse::Left, {}, UNDEFINED_MOUSE_BUTTON},
      {sf::Mouse::Middle, {sf::Mouse::Middle}, MIDDLE},
      {sf::Mouse::Right, {sf::Mouse::Left, sf::Mouse::Middle}, MIDDLE},
      {sf::Mouse::XButton1, {}, UNDEFINED_MOUSE_BUTTON},
  };
  for (const Case& c : cases) {
    state.buttons = c.held;
    EXPECT_TRUE(input.handleEvent(mouseButton(sf::Event::MouseButtonPressed, c.clicked, 35, 50)));
  }
  ASSERT_EQ(p_probe->received.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); i++) {
    SCOPED_TRACE("case " + std::to_string(i));
    const Received& r = p_probe->received[i];
    EXPECT_EQ(r.action, CLICKED);
    EXPECT_EQ(r.key_or_button, cases[i].reported);
    EXPECT_FLOAT_EQ(r.position.getX(), 3.5f);
    EXPECT_FLOAT_EQ(r.position.getY(), 2.5f);
  }
}

TEST_F(InputManagerTest, OtherWindowEventsAreIgnored) {
  state.every_key = true;
  state.buttons = {sf::Mouse::Left};
  for (const sf::Event& event :
       {mouseButton(sf::Event::MouseButtonReleased, sf::Mouse::Left, 1, 1),
        plainEvent(sf::Event::TextEntered), plainEvent(sf::Event::Resized),
        plainEvent(sf::Event::LostFocus), plainEvent(sf::Event::GainedFocus),
        plainEvent(sf::Event::MouseWheelScrolled), plainEvent(sf::Event::MouseEntered),
        plainEvent(sf::Event::MouseLeft)}) {
    EXPECT_TRUE(input.handleEvent(event)) << "event type " << event.type;
  }
  EXPECT_TRUE(p_probe->received.empty());
  EXPECT_FALSE(GameManager::getInstance().getGameOver());
}

// --- held state -------------------------------------------------------------

TEST_F(InputManagerTest, HeldKeyIsReportedAsDown) {
  state.keys = {Key::A};
  input.sendHeldState();
  input.sendHeldState();
  EXPECT_EQ(keysReceived(KEY_DOWN), (std::vector<int>{A, A}));
  EXPECT_EQ(p_probe->received.size(), 2u);
}

TEST_F(InputManagerTest, KeysOutsideTheHeldSetAreNeverDown) {
  state.keys = {Key::F11, Key::F12, Key::LAlt, Key::Delete, Key::Numpad5, Key::Unknown};
  input.sendHeldState();
  EXPECT_TRUE(p_probe->received.empty());
}

TEST_F(InputManagerTest, HeldKeysComeInTableOrder) {
  state.every_key = true;
  input.sendHeldState();
  EXPECT_EQ(keysReceived(KEY_DOWN), heldKeyOrder());
  EXPECT_EQ(p_probe->received.size(), heldKeyOrder().size());
}

TEST_F(InputManagerTest, EachHeldButtonSendsOnePressedEvent) {
  startHeadlessDisplay();
  WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 30));
  state.mouse = sf::Vector2i(105, 210);
  state.buttons = {sf::Mouse::Right, sf::Mouse::Left};
  state.keys = {Key::Space};
  input.sendHeldState();
  ASSERT_EQ(p_probe->received.size(), 3u);
  for (int i = 0; i < 2; i++) {
    const Received& r = p_probe->received[static_cast<std::size_t>(i)];
    EXPECT_EQ(r.type, MOUSE_EVENT);
    EXPECT_EQ(r.action, PRESSED);
    EXPECT_EQ(r.key_or_button, i == 0 ? LEFT : RIGHT);
    EXPECT_FLOAT_EQ(r.position.getX(), 10.5f);
    EXPECT_FLOAT_EQ(r.position.getY(), 10.5f);
  }
  // Buttons before keys.
  EXPECT_EQ(p_probe->received[2].type, KEYBOARD_EVENT);

  p_probe->received.clear();
  state.buttons = {sf::Mouse::Middle, sf::Mouse::Right, sf::Mouse::Left};
  state.keys.clear();
  input.sendHeldState();
  ASSERT_EQ(p_probe->received.size(), 3u);
  EXPECT_EQ(p_probe->received[0].key_or_button, LEFT);
  EXPECT_EQ(p_probe->received[1].key_or_button, RIGHT);
  EXPECT_EQ(p_probe->received[2].key_or_button, MIDDLE);
}

// --- getInput and start-up --------------------------------------------------

TEST_F(InputManagerTest, HeadlessGetInputDoesNothing) {
  startHeadlessDisplay();
  ASSERT_EQ(input.startUp(), 0);
  state.every_key = true;
  state.buttons = {sf::Mouse::Left};
  input.getInput();
  EXPECT_TRUE(p_probe->received.empty());
  EXPECT_EQ(logCount("InputManager::getInput(): DisplayManager unexpectedly returned null window!"),
            0);
}

TEST_F(InputManagerTest, GetInputWithoutAWindowLogsAndSendsNothing) {
  state.every_key = true;
  state.buttons = {sf::Mouse::Left};
  input.getInput();
  EXPECT_TRUE(p_probe->received.empty());
  EXPECT_EQ(logCount("InputManager::getInput(): DisplayManager unexpectedly returned null window!"),
            1);
}

TEST_F(InputManagerTest, HeadlessStartNeedsNoDisplay) {
  LogManager::getInstance().setLogLevel(5);
  Config::getInstance().loadConfig("headless:true,");
  EXPECT_EQ(input.startUp(), 0);
  EXPECT_TRUE(input.isStarted());
  EXPECT_FALSE(DisplayManager::getInstance().isStarted());
  EXPECT_EQ(logCount("InputManager::startUp(): not doing input since in headless mode."), 1);
  EXPECT_EQ(logCount("InputManager::startUp(): successfully started."), 1);
}

TEST_F(InputManagerTest, StartFailsWithoutAStartedDisplay) {
  EXPECT_EQ(input.startUp(), -1);
  EXPECT_FALSE(input.isStarted());
  EXPECT_EQ(logCount("InputManager::startUp(): Error starting InputManager. DisplayManager must "
                     "be started first."),
            1);
}

TEST_F(InputManagerTest, StartWithADisplayButNoWindowWarns) {
  LogManager::getInstance().setLogLevel(5);
  startHeadlessDisplay();
  Config::getInstance().loadConfig("headless:false,");
  EXPECT_EQ(input.startUp(), 0);
  EXPECT_TRUE(input.isStarted());
  EXPECT_EQ(logCount("InputManager::startUp(): Warning - DisplayManager unexpectedly returned null "
                     "window! Cannot disable keyboard repeat."),
            1);
  EXPECT_EQ(logCount("InputManager::startUp(): successfully started."), 1);

  EXPECT_EQ(input.startUp(), 0);
  EXPECT_EQ(logCount("InputManager::startUp(): Already started."), 1);

  input.shutDown();
  EXPECT_FALSE(input.isStarted());
  EXPECT_EQ(logCount("InputManager::shutDown(): successfully stopped."), 1);
  EXPECT_EQ(logCount("InputManager::shutDown(): Keyboard repeat enabled."), 0);
}

}  // namespace
}  // namespace mo
