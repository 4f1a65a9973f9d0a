#ifndef GH_CEILING_H
#define GH_CEILING_H

#include "engine/world/Object.h"

namespace gh {

/// A passive level piece; the level loader gives it its type, sprite,
/// position and solidness. Other objects react to its type name.
class Ceiling : public mo::Object {};

}  // namespace gh

#endif
