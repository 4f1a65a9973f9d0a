#ifndef GH_MAP_LOADER_H
#define GH_MAP_LOADER_H

#include <string>
#include <vector>

namespace gh {

/// The lines of a level file, split at line feeds (a carriage return
/// stays in its line). Empty, with a line in the log, when the file
/// cannot be opened.
std::vector<std::string> loadMapLines(std::string filename);

/// Creates the player, then one object per level character, lines top
/// to bottom and left to right; the line index is y and the character
/// index x. Blank lines create nothing but still count. The world owns
/// everything created.
void populateWorld(std::vector<std::string> lines);

}  // namespace gh

#endif
