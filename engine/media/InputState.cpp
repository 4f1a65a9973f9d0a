#include "engine/media/InputState.h"

namespace mo {

InputState::~InputState() = default;

bool InputState::isKeyPressed(sf::Keyboard::Key key) const { return sf::Keyboard::isKeyPressed(key); }

bool InputState::isButtonPressed(sf::Mouse::Button button) const {
  return sf::Mouse::isButtonPressed(button);
}

sf::Vector2i InputState::mousePosition(const sf::Window* p_window) const {
  return p_window ? sf::Mouse::getPosition(*p_window) : sf::Vector2i(0, 0);
}

}  // namespace mo
