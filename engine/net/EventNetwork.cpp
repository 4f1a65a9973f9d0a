#include "engine/net/EventNetwork.h"

#include "engine/core/LogManager.h"

namespace mo {

EventNetwork::EventNetwork(int init_label) : label(NETWORK_UNDEFINED), socket_index(-1), bytes(0) {
  setType(NETWORK_EVENT);
  setLabel(init_label);
}

void EventNetwork::setLabel(int new_label) {
  if (new_label < NETWORK_UNDEFINED || new_label > NETWORK_DATA) {
    LogManager::getInstance().writeLog("EventNetwork::setLabel(): Undefined type (%d).", new_label);
    label = NETWORK_UNDEFINED;
    return;
  }
  label = new_label;
}

}  // namespace mo
