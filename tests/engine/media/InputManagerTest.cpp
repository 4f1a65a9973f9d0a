#include "engine/media/InputManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "engine/core/Config.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/media/DisplayManager.h"
#include "engine/world/WorldManager.h"
#include "support/EngineTest.h"
#include "support/FakeTimeSource.h"
#include "support/InputProbe.h"

namespace mo {
namespace {

using test::InputProbe;
using Key = sf::Keyboard::Key;
using Lines = std::vector<std::string>;

/// A window event: a key (code) or mouse button (code, x, y) event, or a
/// plain one of the type.
sf::Event windowEvent(sf::Event::EventType type, int code = 0, int x = 0, int y = 0) {
  sf::Event event{};
  event.type = type;
  if (type == sf::Event::KeyPressed || type == sf::Event::KeyReleased) {
    event.key.code = static_cast<Key>(code);
  } else if (type == sf::Event::MouseMoved) {
    event.mouseMove = {x, y};
  } else if (type == sf::Event::MouseButtonPressed || type == sf::Event::MouseButtonReleased) {
    event.mouseButton = {static_cast<sf::Mouse::Button>(code), x, y};
  }
  return event;
}

class InputManagerTest : public test::WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    ASSERT_EQ(LogManager::getInstance().startUp(), 0);
    LogManager::getInstance().setFlush(true);
    input.setInputState(&state);
    p_probe = new InputProbe;
  }

  /// Starts the display without a window, with 10 x 20 pixel cells and the
  /// view's corner at (30, 7).
  void startDisplay() {
    startHeadlessDisplay(
        "window_horizontal_pixels:800,window_vertical_pixels:600,"
        "window_horizontal_chars:80,window_vertical_chars:30,");
    WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 30));
  }

  int logCount(const std::string& message) const {
    const Lines messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  InputManager& input = InputManager::getInstance();
  test::FakeInputState state;
  InputProbe* p_probe = nullptr;
};

TEST_F(InputManagerTest, KeysMapThroughTheTableOrPastIt) {
  const std::pair<Key, int> spots[] = {
      {Key::A, 36},     {Key::Z, 61},          {Key::Num1, 62},       {Key::Num0, 71},
      {Key::Escape, 2}, {Key::Backspace, 72},  {Key::F11, 34},        {Key::F12, 35},
      {Key::Up, 6},     {Key::Subtract, MINUS}, {Key::Add, PLUS},     {Key::Tilde, TILDE},
      // Keys the engine does not know: their SFML code plus 97.
      {Key::LAlt, 136}, {Key::Unknown, 96},    {Key::Numpad5, Key::Numpad5 + 97},
  };
  for (const auto& [sfml, engine] : spots) {
    EXPECT_EQ(InputManager::toKeyCode(sfml), engine) << "SFML code " << sfml;
  }
}

TEST_F(InputManagerTest, KeyEventsReachActiveKeyboardObjectsOnlyAndCloseEndsTheGame) {
  // Only keyboard and mouse interest is taken.
  EXPECT_EQ(input.registerInterest(p_probe, "mo-step"), -1);
  EXPECT_EQ(input.registerInterest(p_probe, "mo-keyboard "), -1);
  EXPECT_EQ(logCount("Manager(InputManager)::registerInterest(): Event 'mo-step' not valid for "
                     "this Manager"),
            1);
  auto* p_mouse_only = new InputProbe({MOUSE_EVENT});
  auto* p_inactive = new InputProbe({KEYBOARD_EVENT});
  p_inactive->setActive(false);
  LogManager::getInstance().setLogLevel(15);
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::KeyPressed, Key::A)));
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::KeyReleased, Key::A)));
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::KeyPressed, Key::Menu)));
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::KeyReleased, Key::F11)));
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::KeyPressed, Key::F12)));  // also a screenshot
  EXPECT_EQ(p_probe->received,
            (Lines{"pressed 36", "released 36", "pressed 142", "released 34", "pressed 35"}));
  EXPECT_TRUE(p_mouse_only->received.empty());
  EXPECT_TRUE(p_inactive->received.empty());
  // The engine key printed as a character: 36 is '$'.
  EXPECT_EQ(logCount("InputManager::toEventKeyboard(): Keyboard event '$' (0)"), 2);

  // A close request ends the frame's input and the game.
  EXPECT_FALSE(input.handleEvent(windowEvent(sf::Event::Closed)));
  EXPECT_TRUE(GameManager::getInstance().getGameOver());
  EXPECT_EQ(logCount("InputManager::getInput(): Window close event. Setting game over."), 1);
}

TEST_F(InputManagerTest, ScreenshotNameHoldsTheLocalDateAndTime) {
  test::FakeTimeSource time;
  time.local_time.tm_year = 126;
  time.local_time.tm_mon = 11;
  time.local_time.tm_mday = 7;
  time.local_time.tm_hour = 2;
  time.local_time.tm_min = 5;
  time.local_time.tm_sec = 9;
  EXPECT_EQ(InputManager::screenshotName(), "screenshot-20261207-020509.png");
  time.local_time_ok = false;
  EXPECT_EQ(InputManager::screenshotName(), "screenshot.png");
}

TEST_F(InputManagerTest, MouseMovesAreInViewCellsAndOtherEventsAreIgnored) {
  startDisplay();
  auto* p_keyboard_only = new InputProbe({KEYBOARD_EVENT});
  EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::MouseMoved, 0, 105, 210)));
  state.every_key = true;
  state.buttons = {sf::Mouse::Left};
  for (const sf::Event::EventType type :
       {sf::Event::MouseButtonReleased, sf::Event::TextEntered, sf::Event::Resized,
        sf::Event::LostFocus, sf::Event::MouseWheelScrolled, sf::Event::MouseLeft}) {
    EXPECT_TRUE(input.handleEvent(windowEvent(type))) << "event type " << type;
  }
  EXPECT_EQ(p_probe->received, Lines{"moved - 10.5,10.5"});
  EXPECT_TRUE(p_keyboard_only->received.empty());
  EXPECT_FALSE(GameManager::getInstance().getGameOver());
}

TEST_F(InputManagerTest, ClickReportsTheHeldButtonOverItsOwn) {
  startDisplay();
  using B = sf::Mouse::Button;
  const struct {
    B clicked;
    std::set<B> held;
    std::string reported;
  } cases[] = {
      {B::Right, {}, "right"},          {B::Right, {B::Left, B::Right}, "left"},
      {B::Left, {B::Left}, "left"},     {B::Middle, {B::Middle}, "middle"},
      {B::Right, {B::Left, B::Middle}, "middle"},
      // Released before the frame reads the click: its own button counts.
      {B::Left, {}, "left"},            {B::Middle, {}, "middle"},
      {B::Middle, {B::Left}, "left"},   {B::XButton1, {}, "-"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("clicked " + std::to_string(c.clicked));
    p_probe->received.clear();
    state.buttons = c.held;
    EXPECT_TRUE(input.handleEvent(windowEvent(sf::Event::MouseButtonPressed, c.clicked, 35, 50)));
    EXPECT_EQ(p_probe->received, Lines{"clicked " + c.reported + " 3.5,2.5"});
  }
}

TEST_F(InputManagerTest, HeldButtonsComeFirstAtThePointersCellThenKeysInTableOrderButF11AndF12) {
  startDisplay();
  Lines expected = {"pressed left 10.5,10.5", "pressed right 10.5,10.5",
                    "pressed middle 10.5,10.5"};
  for (int k : {UP_ARROW, DOWN_ARROW, LEFT_ARROW, RIGHT_ARROW, SPACE, RETURN, TAB, ESCAPE, PAUSE,
                MINUS, PLUS, TILDE, PERIOD, COMMA, SLASH, EQUAL, BACKSLASH, MULTIPLY, QUOTE,
                SEMICOLON, LEFT_CONTROL, RIGHT_CONTROL, LEFT_SHIFT, RIGHT_SHIFT}) {
    expected.push_back("down " + std::to_string(k));
  }
  for (const auto& [first, last] : {std::pair(F1, F10), std::pair(A, Z), std::pair(NUM1, NUM9),
                                    std::pair(NUM0, NUM0), std::pair(BACKSPACE, BACKSPACE)}) {
    for (int k = first; k <= last; k++) expected.push_back("down " + std::to_string(k));
  }
  state.mouse = sf::Vector2i(105, 210);
  state.buttons = {sf::Mouse::Middle, sf::Mouse::Right, sf::Mouse::Left};
  state.every_key = true;
  input.sendHeldState();
  EXPECT_EQ(p_probe->received, expected);

  p_probe->received.clear();
  state.every_key = false;
  state.buttons.clear();
  state.keys = {Key::F11, Key::F12, Key::LAlt, Key::Numpad5, Key::Unknown};
  input.sendHeldState();
  EXPECT_TRUE(p_probe->received.empty());
}

TEST_F(InputManagerTest, StartUpNeedsTheDisplayUnlessHeadlessAndGetInputAWindow) {
  state.every_key = true;
  state.buttons = {sf::Mouse::Left};
  const std::string no_window =
      "InputManager::getInput(): DisplayManager unexpectedly returned null window!";
  input.getInput();
  EXPECT_EQ(logCount(no_window), 1);
  EXPECT_EQ(input.startUp(), -1);
  EXPECT_EQ(logCount("InputManager::startUp(): Error starting InputManager. DisplayManager must "
                     "be started first."),
            1);
  LogManager::getInstance().setLogLevel(5);
  Config::getInstance().loadConfig("headless:true,");
  EXPECT_EQ(input.startUp(), 0);
  EXPECT_EQ(logCount("InputManager::startUp(): not doing input since in headless mode."), 1);
  input.getInput();  // headless: quietly nothing
  EXPECT_EQ(logCount(no_window), 1);
  EXPECT_TRUE(p_probe->received.empty());
  input.shutDown();

  // A started display without a window: a warning, and no key repeat to
  // switch off or on.
  startDisplay();
  Config::getInstance().loadConfig("headless:false,");
  EXPECT_EQ(input.startUp(), 0);
  EXPECT_EQ(input.startUp(), 0);
  input.shutDown();
  EXPECT_EQ(logCount("InputManager::startUp(): Warning - DisplayManager unexpectedly returned null "
                     "window! Cannot disable keyboard repeat."),
            1);
  EXPECT_EQ(logCount("InputManager::startUp(): Already started."), 1);
  EXPECT_EQ(logCount("InputManager::startUp(): successfully started."), 2);
  EXPECT_EQ(logCount("InputManager::shutDown(): Keyboard repeat enabled."), 0);
}

}  // namespace
}  // namespace mo
