#ifndef MO_INPUT_MANAGER_H
#define MO_INPUT_MANAGER_H

#include <SFML/Window.hpp>

#include <string>

#include "engine/core/EventKeyboard.h"
#include "engine/core/Manager.h"
#include "engine/core/Vector.h"

namespace mo {

class InputSource;
class InputState;
class ReplayEvent;

/// Turns the window's input into keyboard ("mo-keyboard") and mouse
/// ("mo-mouse") events for the objects registered with it. Mouse
/// positions are in character cells of the window (view cells), mapped
/// through the picture's scale and place in a resized window
/// (DisplayManager::pixelToCell()); over the bars around the picture
/// they are clamped to the grid's edge. A resize of the window refits
/// the picture (DisplayManager::fitToWindow()).
///
/// Some keys serve the window itself. F12 saves a screenshot and still
/// reaches the game. Alt+Enter switches between the window and full
/// screen and does not reach the game: neither that Enter's press, nor
/// its release, nor KEY_DOWN while it stays held. The Alt keys never
/// reach the game: their own presses would otherwise count as keys of
/// the game ("press any key") when the player only means Alt+Enter or
/// Alt+Tab. After a resize or a switch the cell under the pointer has
/// changed though the pointer has not moved: a MOVED event tells it.
class InputManager : public Manager {
 public:
  /// The single instance.
  static InputManager& getInstance();
  ~InputManager() override;

  /// True for "mo-keyboard" and "mo-mouse" only.
  bool isValid(std::string event_type) const override;

  /// Switches the window's keyboard repeat off. 0; -1 (logged) when the
  /// DisplayManager is not started (except in headless mode). A second
  /// call logs and returns 0.
  int startUp() override;

  /// Switches keyboard repeat back on.
  void shutDown() override;

  /// Once per frame: sends an event for every pending window event,
  /// then PRESSED for each mouse button held and KEY_DOWN for each key
  /// held. A close request sets game over and ends the frame's input.
  /// Nothing in headless mode. With an input source the events come from
  /// it instead, also headless; a window then only keeps its close
  /// request. Every event sent is noted for the ReplayManager's
  /// recording.
  void getInput();

  /// Sends the events of one window event. False for a close request,
  /// after setting game over; true otherwise. A click reports the middle
  /// button if it is held now, else the left one if held, else its own.
  /// Pressing F12 also has the DisplayManager save the frame at its next
  /// swap as screenshotName() in the working directory. Alt+Enter
  /// switches full screen on or off (DisplayManager::setFullscreen()).
  bool handleEvent(const sf::Event& event);

  /// Sends PRESSED for each mouse button held (left, right, middle) and
  /// KEY_DOWN for each key of the table held, in the table's order.
  void sendHeldState();

  /// Where the pointer is now, in view cells: true with the position in
  /// r_where; false (r_where untouched) in headless mode, without a
  /// window, with the pointer outside the window, and while input comes
  /// from an input source or is recorded (a replay file holds only
  /// events, so the pointer's place must not reach the game then).
  bool getMousePosition(Vector& r_where) const;

  /// The engine key for an SFML key event, with its action still
  /// undefined. Keys outside the table give their SFML code + 97.
  EventKeyboard toEventKeyboard(const sf::Event::KeyEvent& key_event) const;

  /// The engine key for an SFML key (code + 97 outside the table).
  static KeyCode toKeyCode(sf::Keyboard::Key key);

  /// Sends the event of a replay or an input source, as the window's
  /// would be sent. False for a close request, after setting game over;
  /// true otherwise.
  bool sendEvent(const ReplayEvent& event);
  /// "screenshot-YYYYMMDD-HHMMSS.png" for the local time now, or
  /// "screenshot.png" when the time is not available.
  static std::string screenshotName();

  /// Replaces the real-time keyboard and mouse state (not owned);
  /// nullptr restores SFML's.
  void setInputState(InputState* p_state);

  /// Takes input from p_source (not owned) instead of the window;
  /// nullptr returns to the window.
  void setInputSource(InputSource* p_source);
  InputSource* getInputSource() const { return p_input_source; }

  /// Back to the just-constructed state; for test fixtures.
  void reset();

 private:
  InputManager();
  const InputState& inputState() const;
  /// Notes the event for a recording, then sends it.
  void send(const Event* p_event);
  /// Notes the close request, logs it and sets game over.
  void closeRequested();
  /// Sends MOVED with the pointer's cell, when it is over the window.
  void sendPointerCell();

  InputState* p_input_state;
  InputSource* p_input_source;
  bool toggle_enter_held;  ///< the Enter of Alt+Enter, until it is released
};

}  // namespace mo

#endif
