#include "support/resetEngine.h"

#include "engine/Morvane.h"
#include "engine/media/DisplayManager.h"
#include "engine/media/InputManager.h"
#include "engine/net/NetworkManager.h"

namespace mo {
namespace test {

void resetEngine() {
  // The world first: deleting what is left may still write to the log.
  WorldManager::getInstance().reset();
  PathManager::getInstance().reset();
  ResourceManager::getInstance().reset();
  NetworkManager::getInstance().reset();
  GameManager::getInstance().reset();
  ReplayManager::getInstance().reset();
  InputManager::getInstance().reset();
  DisplayManager::getInstance().reset();
  LogManager::getInstance().reset();
  Config::getInstance().reset();
  Object::resetIdCounter();
  resetMatch();
}

}  // namespace test
}  // namespace mo
