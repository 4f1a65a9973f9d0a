#include "engine/core/InputSource.h"

namespace mo {

InputSource::~InputSource() = default;

}  // namespace mo
