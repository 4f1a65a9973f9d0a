#include "engine/media/InputManager.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <dlfcn.h>

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

// Last: its macros (None, True, KeyPress, ...) must not reach the headers
// above.
#include <X11/Xlib.h>

namespace mo {
namespace {

using test::EngineTest;
using test::ScopedEnv;
using Lines = std::vector<std::string>;

const char* const TITLE = "MorvaneInputWindowTest";

/// Frames polled at most while waiting for the X server.
const int MAX_FRAMES = 100;

std::string fontPath() {
  const std::string file = __FILE__;
  return file.substr(0, file.rfind("/tests/")) + "/data/mo-font.ttf";
}

/// Runs an xdotool command; true when it succeeded.
bool xdotool(const std::string& arguments) {
  auto t0 = std::chrono::steady_clock::now();
  struct T { std::chrono::steady_clock::time_point t0; std::string a; ~T(){ fprintf(stderr, "xdotool %s: %lld ms\n", a.c_str(), (long long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()-t0).count()); } } t{t0, arguments};
  return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

/// Asks the window to close as a window manager does: a WM_DELETE_WINDOW
/// message. libX11 is opened at run time, the test links only SFML.
bool sendCloseRequest(unsigned long window) {
  void* p_lib = dlopen("libX11.so.6", RTLD_NOW);
  if (!p_lib) return false;
  auto open_display = reinterpret_cast<Display* (*)(const char*)>(dlsym(p_lib, "XOpenDisplay"));
  auto intern_atom =
      reinterpret_cast<Atom (*)(Display*, const char*, int)>(dlsym(p_lib, "XInternAtom"));
  auto send_event =
      reinterpret_cast<int (*)(Display*, Window, int, long, XEvent*)>(dlsym(p_lib, "XSendEvent"));
  auto flush = reinterpret_cast<int (*)(Display*)>(dlsym(p_lib, "XFlush"));
  auto close_display = reinterpret_cast<int (*)(Display*)>(dlsym(p_lib, "XCloseDisplay"));
  bool sent = false;
  if (open_display && intern_atom && send_event && flush && close_display) {
    if (Display* p_display = open_display(nullptr)) {
      XEvent event{};
      event.xclient.type = ClientMessage;
      event.xclient.window = window;
      event.xclient.message_type = intern_atom(p_display, "WM_PROTOCOLS", False);
      event.xclient.format = 32;
      event.xclient.data.l[0] = static_cast<long>(intern_atom(p_display, "WM_DELETE_WINDOW", False));
      event.xclient.data.l[1] = CurrentTime;
      sent = send_event(p_display, window, False, NoEventMask, &event) != 0;
      flush(p_display);
      close_display(p_display);
    }
  }
  dlclose(p_lib);
  return sent;
}

struct Received {
  std::string type;
  int action;
  int key_or_button;
  Vector position;
};

/// Records the keyboard and mouse events it is sent.
class InputProbe : public Object {
 public:
  InputProbe() {
    setType("InputProbe");
    registerInterest(KEYBOARD_EVENT);
    registerInterest(MOUSE_EVENT);
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
  int count(const std::string& type, int action, int key_or_button) const {
    return static_cast<int>(std::count_if(received.begin(), received.end(), [&](const Received& r) {
      return r.type == type && r.action == action && r.key_or_button == key_or_button;
    }));
  }
  std::vector<Received> received;
};

/// Holds the A key, whatever the real keyboard does.
class HoldingA : public InputState {
 public:
  bool isKeyPressed(sf::Keyboard::Key key) const override { return key == sf::Keyboard::A; }
  bool isButtonPressed(sf::Mouse::Button) const override { return false; }
  sf::Vector2i mousePosition(const sf::Window*) const override { return sf::Vector2i(0, 0); }
};

class InputManagerWindowTest : public EngineTest {
 protected:
  void SetUp() override {
    EngineTest::SetUp();
    const char* p_display = std::getenv("DISPLAY");
    if (!p_display || !*p_display) GTEST_SKIP() << "no X server (DISPLAY is not set)";
    if (!xdotool("version")) GTEST_SKIP() << "xdotool is not installed";
    LogManager& log = LogManager::getInstance();
    ASSERT_EQ(log.startUp(), 0);
    log.setFlush(true);
    log.setLogLevel(2);
    ASSERT_EQ(WorldManager::getInstance().startUp(), 0);
    // The view corner does not move mouse positions.
    WorldManager::getInstance().setView(Box(Vector(30, 7), 80, 30));
    const ScopedEnv config_env(
        "MORVANE_CONFIG",
        writeTempFile("mo-config.txt",
                      "window_horizontal_pixels:800,window_vertical_pixels:600,"
                      "window_horizontal_chars:80,window_vertical_chars:30,window_title:" +
                          std::string(TITLE) + ",font_file:" + fontPath() + ","));
    Config::getInstance().loadConfig();
    ASSERT_EQ(DisplayManager::getInstance().startUp(), 0);
    ASSERT_EQ(input.startUp(), 0);
    window_id = std::to_string(DisplayManager::getInstance().getWindow()->getSystemHandle());
    p_probe = new InputProbe;
    // Keyboard input goes to the window under the pointer.
    ASSERT_TRUE(xdotool("mousemove --sync --window " + window_id + " 400 300"));
    frames([] { return false; }, 5);
  }

  void TearDown() override {
    // Nothing may stay held for the next test.
    if (!window_id.empty()) xdotool("keyup a mouseup 1");
    EngineTest::TearDown();
  }

  /// Runs input frames until done() holds, at most max_frames; whether it
  /// did.
  bool frames(const std::function<bool()>& done, int max_frames = MAX_FRAMES) {
    for (int i = 0; i < max_frames; i++) {
      auto t0 = std::chrono::steady_clock::now();
      input.getInput();
      fprintf(stderr, "frame %d: %lld ms\n", i, (long long)std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()-t0).count());
      if (done()) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  int logCount(const std::string& message) const {
    const Lines messages = logMessages();
    return static_cast<int>(std::count(messages.begin(), messages.end(), message));
  }

  InputManager& input = InputManager::getInstance();
  std::string window_id;
  InputProbe* p_probe = nullptr;
};

TEST_F(InputManagerWindowTest, StartUpSwitchesKeyRepeatOffAndShutDownOn) {
  EXPECT_EQ(logCount("InputManager::startUp(): Keyboard repeated disabled."), 1);
  input.shutDown();
  EXPECT_FALSE(input.isStarted());
  EXPECT_EQ(logCount("InputManager::shutDown(): Keyboard repeat enabled."), 1);
}

TEST_F(InputManagerWindowTest, KeyPressAndReleaseArriveAsEvents) {
  ASSERT_TRUE(xdotool("key --window " + window_id + " a"));
  EXPECT_TRUE(frames([this] { return p_probe->count(KEYBOARD_EVENT, KEY_RELEASED, A) > 0; }));
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_PRESSED, A), 1);
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_RELEASED, A), 1);
}

TEST_F(InputManagerWindowTest, HeldKeyIsDownEveryFrameUntilReleased) {
  ASSERT_TRUE(xdotool("keydown a"));
  ASSERT_TRUE(frames([this] { return p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A) > 0; }));
  const int down = p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A);
  for (int i = 0; i < 3; i++) input.getInput();
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A), down + 3);

  ASSERT_TRUE(xdotool("keyup a"));
  EXPECT_TRUE(frames([this] { return p_probe->count(KEYBOARD_EVENT, KEY_RELEASED, A) > 0; }));
  // Released: no more KEY_DOWN, and one press for the whole hold.
  const int after = p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A);
  for (int i = 0; i < 3; i++) input.getInput();
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A), after);
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_PRESSED, A), 1);
}

TEST_F(InputManagerWindowTest, MouseMoveAndClickArriveInWindowCells) {
  ASSERT_TRUE(xdotool("mousemove --sync --window " + window_id + " 105 210"));
  const auto at_10_5 = [](const Received& r) {
    return r.position.getX() == 10.5f && r.position.getY() == 10.5f;
  };
  EXPECT_TRUE(frames([&] {
    return std::any_of(p_probe->received.begin(), p_probe->received.end(),
                       [&](const Received& r) { return r.action == MOVED && at_10_5(r); });
  }));

  p_probe->received.clear();
  ASSERT_TRUE(xdotool("mousedown 1"));
  EXPECT_TRUE(frames([this] { return p_probe->count(MOUSE_EVENT, CLICKED, LEFT) > 0; }));
  // The click and the held button come in the same frame, both at the
  // pointer's cell.
  EXPECT_EQ(p_probe->count(MOUSE_EVENT, CLICKED, LEFT), 1);
  EXPECT_GE(p_probe->count(MOUSE_EVENT, PRESSED, LEFT), 1);
  for (const Received& r : p_probe->received) {
    if (r.type == MOUSE_EVENT) {
      EXPECT_TRUE(at_10_5(r)) << "action " << r.action;
    }
  }
  ASSERT_TRUE(xdotool("mouseup 1"));
}

TEST_F(InputManagerWindowTest, CloseRequestSetsGameOverAndEndsTheFrame) {
  HoldingA holding_a;
  input.setInputState(&holding_a);
  input.getInput();
  ASSERT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A), 1);

  const auto window = static_cast<unsigned long>(
      DisplayManager::getInstance().getWindow()->getSystemHandle());
  if (!sendCloseRequest(window)) GTEST_SKIP() << "libX11 cannot be opened to ask for a close";
  int before_last_frame = p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A);
  EXPECT_TRUE(frames([&] {
    const bool over = GameManager::getInstance().getGameOver();
    if (!over) before_last_frame = p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A);
    return over;
  }));
  // The frame of the close sent nothing held.
  EXPECT_EQ(p_probe->count(KEYBOARD_EVENT, KEY_DOWN, A), before_last_frame);
  EXPECT_EQ(logCount("InputManager::getInput(): Window close event. Setting game over."), 1);
}

}  // namespace
}  // namespace mo
