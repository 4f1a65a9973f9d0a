// Fuzz target: attribute text applied to an Object, a ViewObject and an
// Animation.
#include <cstdlib>

#include "engine/media/Animation.h"
#include "engine/world/Object.h"
#include "engine/world/ViewObject.h"
#include "engine/world/WorldManager.h"
#include "fuzz/FuzzTarget.h"

MO_FUZZ_TARGET(attributeText) {
  mo::fuzz::freshEngine();
  mo::WorldManager::getInstance().startUp();
  const std::string text = mo::fuzz::text(p_data, size);
  mo::Object* p_object = new mo::Object;
  p_object->deserialize(text);
  // Boxes are read back as whole cells, so the first text written may
  // differ from the next; from then on the object reads its own text back
  // to the same text.
  mo::Object* p_copy = new mo::Object;
  p_copy->deserialize(p_object->serialize("ALL"));
  const std::string settled = p_copy->serialize("ALL");
  mo::Object* p_again = new mo::Object;
  p_again->deserialize(settled);
  if (p_again->serialize("ALL") != settled) abort();
  mo::ViewObject* p_view = new mo::ViewObject;
  p_view->deserialize(text);
  p_view->serialize("ALL");
  mo::Animation animation;
  animation.deserialize(text);
  animation.serialize("ALL");
  mo::WorldManager::getInstance().shutDown();
}
