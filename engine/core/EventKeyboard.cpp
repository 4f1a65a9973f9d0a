#include "engine/core/EventKeyboard.h"

namespace mo {

EventKeyboard::EventKeyboard()
    : key_val(UNDEFINED_KEY), keyboard_action(UNDEFINED_KEYBOARD_ACTION) {
  setType(KEYBOARD_EVENT);
}

EventKeyboard::~EventKeyboard() = default;

void EventKeyboard::setKey(KeyCode new_key) { key_val = new_key; }

KeyCode EventKeyboard::getKey() const { return key_val; }

void EventKeyboard::setKeyboardAction(KeyboardAction new_action) { keyboard_action = new_action; }

KeyboardAction EventKeyboard::getKeyboardAction() const { return keyboard_action; }

}  // namespace mo
