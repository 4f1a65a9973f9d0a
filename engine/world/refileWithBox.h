#ifndef MO_REFILE_WITH_BOX_H
#define MO_REFILE_WITH_BOX_H

#include "engine/core/Box.h"

namespace mo {

class Object;

/// Gives the object a new box (in cells, relative to its position),
/// taking it out of the scene graph's lists and filing it again around
/// the new box when it is in the world. Nothing happens when the box is
/// unchanged. Shared by the object's own code and its attribute reader;
/// not part of the engine's public interface.
void refileWithBox(Object* p_o, const Box& new_box);

}  // namespace mo

#endif
