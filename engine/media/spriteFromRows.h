#ifndef MO_SPRITE_FROM_ROWS_H
#define MO_SPRITE_FROM_ROWS_H

#include <memory>
#include <string>
#include <vector>

#include "engine/core/Color.h"
#include "engine/media/Sprite.h"

namespace mo {

/// A sprite drawn in code rather than read from a file, owned by the
/// caller: rows holds the frames one after the other, height rows of
/// width characters (UTF-8 code points) each, so there are
/// rows.size() / height frames. The
/// sprite is drawn in color with slowdown (game frames per sprite frame)
/// and keeps the label "[Undefined]". A row that is not exactly width
/// characters long, or rows left over after the last whole frame, write
/// an error line to the log; the sprite then holds only the frames
/// before the fault (none for a width or height below 1).
std::unique_ptr<Sprite> spriteFromRows(int width, int height, const std::vector<std::string>& rows,
                                       Color color, int slowdown);

}  // namespace mo

#endif
