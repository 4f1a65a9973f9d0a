#include "game/MapLoader.h"

#include <fstream>

#include "engine/core/LogManager.h"
#include "engine/core/Vector.h"
#include "game/Ceiling.h"
#include "game/Chest.h"
#include "game/Enemy.h"
#include "game/Floor.h"
#include "game/LedgeGuard.h"
#include "game/LeftWall.h"
#include "game/Platform.h"
#include "game/Player.h"
#include "game/RightWall.h"

namespace gh {

namespace {

/// True for a line that is empty or only white space (CR included).
bool isBlank(const std::string& line) {
  return line.find_first_not_of(" \t\n\v\f\r") == std::string::npos;
}

/// Gives a plain level piece its type, sprite and position.
void placePiece(mo::Object* p_piece, const char* type, const char* sprite, mo::Vector where) {
  p_piece->setType(type);
  p_piece->setSprite(sprite);
  p_piece->setPosition(where);
}

}  // namespace

std::vector<std::string> loadMapLines(std::string filename) {
  std::vector<std::string> lines;
  std::ifstream file(filename);
  if (!file.is_open()) {
    mo::LogManager::getInstance().writeLog("Encountered an error while loading the map \"%s\"",
                                           filename.c_str());
    return lines;
  }
  std::string line;
  while (std::getline(file, line)) lines.push_back(line);
  return lines;
}

void populateWorld(std::vector<std::string> lines) {
  Player* p_player = new Player;
  for (std::size_t row_index = 0; row_index < lines.size(); row_index++) {
    const std::string& line = lines[row_index];
    if (isBlank(line)) continue;
    const float row = static_cast<float>(row_index);
    for (std::size_t col_index = 0; col_index < line.size(); col_index++) {
      const float col = static_cast<float>(col_index);
      switch (line[col_index]) {
        case '_':
          placePiece(new Floor, "Floor", "floor", mo::Vector(col, row + 1));
          break;
        case '.': {
          Ceiling* p_ceiling = new Ceiling;
          placePiece(p_ceiling, "Ceiling", "ceiling", mo::Vector(col, row));
          p_ceiling->setSolidness(mo::HARD);
          break;
        }
        case ',': {
          Platform* p_platform = new Platform;
          placePiece(p_platform, "Platform", "platform", mo::Vector(col, row));
          p_platform->setSolidness(mo::HARD);
          break;
        }
        case 'L':
          placePiece(new LeftWall, "LeftWall", "wall-left", mo::Vector(col, row));
          break;
        case 'R':
          placePiece(new RightWall, "RightWall", "wall-right", mo::Vector(col, row));
          break;
        case 'C':
          new Chest(mo::Vector(col, row + 1), p_player);
          break;
        case 'E':
        case 'F':
          new Enemy(mo::Vector(col, row - 3), p_player, line[col_index] == 'F');
          break;
        case 'G': {
          LedgeGuard* p_guard = new LedgeGuard;
          p_guard->setType("LedgeGuard");
          p_guard->setPosition(mo::Vector(col, row + 1));
          p_guard->setSolidness(mo::SOFT);
          p_guard->setVisible(false);
          p_guard->setColor(mo::MAGENTA);
          break;
        }
        case 'P':
          p_player->setSpawnPoint(mo::Vector(col, row - 1));
          p_player->setPosition(mo::Vector(col, row - 1));
          break;
        default:
          break;
      }
    }
  }
}

}  // namespace gh
