#ifndef MO_MORVANE_H
#define MO_MORVANE_H

// Every public header of the Morvane engine.

#include "engine/core/Box.h"
#include "engine/core/Clock.h"
#include "engine/core/Color.h"
#include "engine/core/Config.h"
#include "engine/core/Event.h"
#include "engine/core/EventCollision.h"
#include "engine/core/EventKeyboard.h"
#include "engine/core/EventMouse.h"
#include "engine/core/EventOut.h"
#include "engine/core/EventStep.h"
#include "engine/core/GameManager.h"
#include "engine/core/LogManager.h"
#include "engine/core/Manager.h"
#include "engine/core/platform.h"
#include "engine/core/utility.h"
#include "engine/core/Vector.h"
#include "engine/net/Path.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/ObjectListIterator.h"
#include "engine/world/ObjectSnapshot.h"
#include "engine/world/SceneGraph.h"
#include "engine/world/WorldManager.h"

#endif
