#include "game/IcePlatform.h"

namespace gh {

IcePlatform::IcePlatform(int lifetime_units, mo::Vector position)
    : IceBlock("IcePlatform", "ice-platform", lifetime_units, position, 1) {}

}  // namespace gh
