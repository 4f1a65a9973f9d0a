#include "game/IceWall.h"

namespace gh {

IceWall::IceWall(int lifetime_units, mo::Vector position)
    : IceBlock("IceWall", "ice-wall", lifetime_units, position, 0) {}

}  // namespace gh
