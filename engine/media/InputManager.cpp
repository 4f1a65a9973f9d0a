#include "engine/media/InputManager.h"

#include <cstdio>
#include <ctime>

#include "engine/core/Config.h"
#include "engine/core/EventMouse.h"
#include "engine/core/GameManager.h"
#include "engine/core/InputSource.h"
#include "engine/core/LogManager.h"
#include "engine/core/ReplayEvent.h"
#include "engine/core/ReplayManager.h"
#include "engine/core/platform.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/InputState.h"

namespace mo {

namespace {

using Key = sf::Keyboard::Key;

struct KeyEntry {
  Key sfml;
  KeyCode key;
};

// The keys the engine knows, in the order in which held keys are
// reported. F11 and F12 come last: they give press and release events
// but are never reported as held.
const KeyEntry KEY_TABLE[] = {
    {Key::Up, UP_ARROW}, {Key::Down, DOWN_ARROW}, {Key::Left, LEFT_ARROW},
    {Key::Right, RIGHT_ARROW}, {Key::Space, SPACE}, {Key::Enter, RETURN}, {Key::Tab, TAB},
    {Key::Escape, ESCAPE}, {Key::Pause, PAUSE}, {Key::Subtract, MINUS}, {Key::Add, PLUS},
    {Key::Tilde, TILDE}, {Key::Period, PERIOD}, {Key::Comma, COMMA}, {Key::Slash, SLASH},
    {Key::Equal, EQUAL}, {Key::Backslash, BACKSLASH}, {Key::Multiply, MULTIPLY},
    {Key::Quote, QUOTE}, {Key::Semicolon, SEMICOLON}, {Key::LControl, LEFT_CONTROL},
    {Key::RControl, RIGHT_CONTROL}, {Key::LShift, LEFT_SHIFT}, {Key::RShift, RIGHT_SHIFT},
    {Key::F1, F1}, {Key::F2, F2}, {Key::F3, F3}, {Key::F4, F4}, {Key::F5, F5}, {Key::F6, F6},
    {Key::F7, F7}, {Key::F8, F8}, {Key::F9, F9}, {Key::F10, F10},
    {Key::A, A}, {Key::B, B}, {Key::C, C}, {Key::D, D}, {Key::E, E}, {Key::F, F}, {Key::G, G},
    {Key::H, H}, {Key::I, I}, {Key::J, J}, {Key::K, K}, {Key::L, L}, {Key::M, M}, {Key::N, N},
    {Key::O, O}, {Key::P, P}, {Key::Q, Q}, {Key::R, R}, {Key::S, S}, {Key::T, T}, {Key::U, U},
    {Key::V, V}, {Key::W, W}, {Key::X, X}, {Key::Y, Y}, {Key::Z, Z},
    {Key::Num1, NUM1}, {Key::Num2, NUM2}, {Key::Num3, NUM3}, {Key::Num4, NUM4},
    {Key::Num5, NUM5}, {Key::Num6, NUM6}, {Key::Num7, NUM7}, {Key::Num8, NUM8},
    {Key::Num9, NUM9}, {Key::Num0, NUM0}, {Key::Backspace, BACKSPACE},
    {Key::F11, F11}, {Key::F12, F12},
};

// Every key of the table but the last two is reported while held.
const int HELD_KEY_COUNT = static_cast<int>(sizeof(KEY_TABLE) / sizeof(KEY_TABLE[0])) - 2;

// Keys outside the table get a value past the engine's codes.
const int UNKNOWN_KEY_OFFSET = 97;

struct ButtonEntry {
  sf::Mouse::Button sfml;
  MouseButton button;
};

// The buttons the engine knows, in the order in which held buttons are
// reported.
const ButtonEntry BUTTON_TABLE[] = {
    {sf::Mouse::Left, LEFT}, {sf::Mouse::Right, RIGHT}, {sf::Mouse::Middle, MIDDLE}};

MouseButton toMouseButton(sf::Mouse::Button sfml) {
  for (const ButtonEntry& entry : BUTTON_TABLE) {
    if (entry.sfml == sfml) return entry.button;
  }
  return UNDEFINED_MOUSE_BUTTON;
}

}  // namespace

std::string InputManager::screenshotName() {
  std::tm now{};
  if (!platform::timeSource().localTime(now)) return "screenshot.png";
  char name[64];
  std::snprintf(name, sizeof(name), "screenshot-%04d%02d%02d-%02d%02d%02d.png",
                now.tm_year + 1900, now.tm_mon + 1, now.tm_mday, now.tm_hour, now.tm_min,
                now.tm_sec);
  return name;
}

InputManager::InputManager()
    : p_input_state(nullptr), p_input_source(nullptr), toggle_enter_held(false) {
  setType("InputManager");
}

InputManager::~InputManager() = default;

InputManager& InputManager::getInstance() {
  static InputManager input_manager;
  return input_manager;
}

bool InputManager::isValid(std::string event_type) const {
  return event_type == KEYBOARD_EVENT || event_type == MOUSE_EVENT;
}

int InputManager::startUp() {
  const LogManager& log = LogManager::getInstance();
  if (Config::getInstance().getHeadless()) {
    log.writeLog(1, "InputManager::startUp(): not doing input since in headless mode.");
    Manager::startUp();
    log.writeLog(5, "InputManager::startUp(): successfully started.");
    return 0;
  }
  if (isStarted()) {
    log.writeLog("InputManager::startUp(): Already started.");
    return 0;
  }
  DisplayManager& display = DisplayManager::getInstance();
  if (!display.isStarted()) {
    log.writeLog(
        "InputManager::startUp(): Error starting InputManager. DisplayManager must be started "
        "first.");
    return -1;
  }
  if (!display.getWindow()) {
    log.writeLog(
        "InputManager::startUp(): Warning - DisplayManager unexpectedly returned null window! "
        "Cannot disable keyboard repeat.");
  } else {
    display.setKeyRepeat(false);
    log.writeLog(2, "InputManager::startUp(): Keyboard repeated disabled.");
  }
  Manager::startUp();
  log.writeLog(5, "InputManager::startUp(): successfully started.");
  return 0;
}

void InputManager::shutDown() {
  const LogManager& log = LogManager::getInstance();
  DisplayManager& display = DisplayManager::getInstance();
  if (display.getWindow()) {
    display.setKeyRepeat(true);
    log.writeLog(2, "InputManager::shutDown(): Keyboard repeat enabled.");
  }
  Manager::shutDown();
  log.writeLog(5, "InputManager::shutDown(): successfully stopped.");
}

void InputManager::reset() {
  resetManager();
  p_input_state = nullptr;
  p_input_source = nullptr;
  toggle_enter_held = false;
}

void InputManager::setInputState(InputState* p_state) { p_input_state = p_state; }

void InputManager::setInputSource(InputSource* p_source) { p_input_source = p_source; }

const InputState& InputManager::inputState() const {
  static const InputState sfml_state;
  return p_input_state ? *p_input_state : sfml_state;
}

KeyCode InputManager::toKeyCode(sf::Keyboard::Key key) {
  for (const KeyEntry& entry : KEY_TABLE) {
    if (entry.sfml == key) return entry.key;
  }
  return static_cast<KeyCode>(static_cast<int>(key) + UNKNOWN_KEY_OFFSET);
}

EventKeyboard InputManager::toEventKeyboard(const sf::Event::KeyEvent& key_event) const {
  EventKeyboard keyboard;
  keyboard.setKey(toKeyCode(key_event.code));
  LogManager::getInstance().writeLog(15, "InputManager::toEventKeyboard(): Keyboard event '%c' (%d)",
                                     static_cast<int>(keyboard.getKey()),
                                     static_cast<int>(key_event.code));
  return keyboard;
}

bool InputManager::getMousePosition(Vector& r_where) const {
  if (Config::getInstance().getHeadless() || p_input_source ||
      ReplayManager::getInstance().isRecording()) {
    return false;
  }
  const DisplayManager& display = DisplayManager::getInstance();
  const sf::RenderWindow* p_window = display.getWindow();
  if (!p_window) return false;
  const sf::Vector2i pixel = inputState().mousePosition(p_window);
  const sf::Vector2u size = p_window->getSize();
  if (pixel.x < 0 || pixel.y < 0 || pixel.x >= static_cast<int>(size.x) ||
      pixel.y >= static_cast<int>(size.y)) {
    return false;
  }
  r_where = display.pixelToCell(pixel.x, pixel.y);
  return true;
}

void InputManager::getInput() {
  if (p_input_source) {
    // The window stays the desktop's to close, resize and switch to full
    // screen; its keys, buttons and pointer are not the game's now, and
    // so no pointer cell is sent after a change either.
    DisplayManager& display = DisplayManager::getInstance();
    sf::Event event;
    while (display.getWindow() && display.getWindow()->pollEvent(event)) {
      if (event.type == sf::Event::Closed) {
        closeRequested();
        return;
      }
      if (event.type == sf::Event::Resized) {
        display.fitToWindow(static_cast<int>(event.size.width),
                            static_cast<int>(event.size.height));
      } else if (event.type == sf::Event::KeyPressed && event.key.code == Key::Enter &&
                 event.key.alt) {
        display.setFullscreen(!display.isFullscreen());
      }
    }
    std::vector<ReplayEvent> events;
    p_input_source->frameInput(events);
    for (const ReplayEvent& replay_event : events) {
      if (!sendEvent(replay_event)) return;
    }
    return;
  }
  if (Config::getInstance().getHeadless()) return;
  sf::RenderWindow* p_window = DisplayManager::getInstance().getWindow();
  if (!p_window) {
    LogManager::getInstance().writeLog(
        "InputManager::getInput(): DisplayManager unexpectedly returned null window!");
    return;
  }
  sf::Event event;
  while (p_window->pollEvent(event)) {
    if (!handleEvent(event)) return;
  }
  sendHeldState();
}

bool InputManager::handleEvent(const sf::Event& event) {
  switch (event.type) {
    case sf::Event::Closed:
      closeRequested();
      return false;
    case sf::Event::KeyPressed:
    case sf::Event::KeyReleased: {
      const bool pressed = event.type == sf::Event::KeyPressed;
      // Alt belongs to the desktop's and the window's own keys (Alt+Enter,
      // Alt+Tab): a game would take it for a key of its own.
      if (event.key.code == Key::LAlt || event.key.code == Key::RAlt) return true;
      if (event.key.code == Key::Enter) {
        // A release without the press would confuse the game as much as
        // the press itself: on the title screen any key starts the level.
        const bool toggles = pressed && event.key.alt;
        const bool swallowed = toggles || (!pressed && toggle_enter_held);
        toggle_enter_held = toggles;
        if (toggles) {
          DisplayManager& display = DisplayManager::getInstance();
          display.setFullscreen(!display.isFullscreen());
          sendPointerCell();
        }
        if (swallowed) return true;
      }
      if (pressed && event.key.code == Key::F12) {
        DisplayManager::getInstance().requestScreenshot(screenshotName());
      }
      EventKeyboard keyboard = toEventKeyboard(event.key);
      keyboard.setKeyboardAction(event.type == sf::Event::KeyPressed ? KEY_PRESSED : KEY_RELEASED);
      send(&keyboard);
      return true;
    }
    case sf::Event::Resized:
      DisplayManager::getInstance().fitToWindow(static_cast<int>(event.size.width),
                                                static_cast<int>(event.size.height));
      sendPointerCell();
      return true;
    case sf::Event::MouseMoved: {
      EventMouse mouse;
      mouse.setMouseAction(MOVED);
      mouse.setMouseButton(UNDEFINED_MOUSE_BUTTON);
      mouse.setMousePosition(
          DisplayManager::getInstance().pixelToCell(event.mouseMove.x, event.mouseMove.y));
      send(&mouse);
      return true;
    }
    case sf::Event::MouseButtonPressed: {
      EventMouse mouse;
      mouse.setMouseAction(CLICKED);
      // The held state decides over the event's own button, so a click
      // while the left button is held reports the left button. A click
      // shorter than a frame is released before it is read here: then
      // only the event itself still knows its button.
      const InputState& state = inputState();
      if (event.mouseButton.button == sf::Mouse::Right) mouse.setMouseButton(RIGHT);
      if (state.isButtonPressed(sf::Mouse::Left)) mouse.setMouseButton(LEFT);
      if (state.isButtonPressed(sf::Mouse::Middle)) mouse.setMouseButton(MIDDLE);
      if (mouse.getMouseButton() == UNDEFINED_MOUSE_BUTTON) {
        mouse.setMouseButton(toMouseButton(event.mouseButton.button));
      }
      mouse.setMousePosition(
          DisplayManager::getInstance().pixelToCell(event.mouseButton.x, event.mouseButton.y));
      send(&mouse);
      return true;
    }
    default:
      return true;
  }
}

void InputManager::sendHeldState() {
  const InputState& state = inputState();
  const sf::Vector2i pixel = state.mousePosition(DisplayManager::getInstance().getWindow());
  EventMouse mouse;
  mouse.setMouseAction(PRESSED);
  mouse.setMousePosition(DisplayManager::getInstance().pixelToCell(pixel.x, pixel.y));
  for (const ButtonEntry& entry : BUTTON_TABLE) {
    if (state.isButtonPressed(entry.sfml)) {
      mouse.setMouseButton(entry.button);
      send(&mouse);
    }
  }

  for (int i = 0; i < HELD_KEY_COUNT; i++) {
    if (toggle_enter_held && KEY_TABLE[i].sfml == Key::Enter) continue;
    if (state.isKeyPressed(KEY_TABLE[i].sfml)) {
      EventKeyboard keyboard;
      keyboard.setKey(KEY_TABLE[i].key);
      keyboard.setKeyboardAction(KEY_DOWN);
      send(&keyboard);
    }
  }
}

bool InputManager::sendEvent(const ReplayEvent& event) {
  switch (event.getKind()) {
    case ReplayEvent::KEYBOARD: {
      EventKeyboard keyboard;
      keyboard.setKey(event.getKey());
      keyboard.setKeyboardAction(event.getKeyboardAction());
      send(&keyboard);
      return true;
    }
    case ReplayEvent::MOUSE: {
      EventMouse mouse;
      mouse.setMouseAction(event.getMouseAction());
      mouse.setMouseButton(event.getMouseButton());
      mouse.setMousePosition(event.getPosition());
      send(&mouse);
      return true;
    }
    default:
      closeRequested();
      return false;
  }
}

void InputManager::send(const Event* p_event) {
  ReplayManager& replay = ReplayManager::getInstance();
  ReplayEvent event;
  if (replay.isRecording() && ReplayEvent::fromEvent(p_event, event)) replay.noteInput(event);
  onEvent(p_event);
}

void InputManager::sendPointerCell() {
  EventMouse mouse;
  Vector where;
  if (!getMousePosition(where)) return;
  mouse.setMouseAction(MOVED);
  mouse.setMouseButton(UNDEFINED_MOUSE_BUTTON);
  mouse.setMousePosition(where);
  send(&mouse);
}

void InputManager::closeRequested() {
  ReplayManager::getInstance().noteInput(ReplayEvent());
  LogManager::getInstance().writeLog(
      1, "InputManager::getInput(): Window close event. Setting game over.");
  GameManager::getInstance().setGameOver(true);
}

}  // namespace mo
