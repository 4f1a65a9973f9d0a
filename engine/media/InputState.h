#ifndef MO_INPUT_STATE_H
#define MO_INPUT_STATE_H

#include <SFML/Window.hpp>

namespace mo {

/// The real-time state of keyboard and mouse that the InputManager
/// samples every frame. The default asks SFML; tests put a fake in
/// place with InputManager::setInputState().
class InputState {
 public:
  virtual ~InputState();
  /// Whether the key is down now.
  virtual bool isKeyPressed(sf::Keyboard::Key key) const;
  /// Whether the mouse button is down now.
  virtual bool isButtonPressed(sf::Mouse::Button button) const;
  /// The mouse position in pixels relative to the window (or (0,0)
  /// without one).
  virtual sf::Vector2i mousePosition(const sf::Window* p_window) const;
};

}  // namespace mo

#endif
