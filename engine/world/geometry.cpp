// The utilities that need objects and the world's view.

#include "engine/core/LogManager.h"
#include "engine/core/utility.h"
#include "engine/world/Object.h"
#include "engine/world/WorldManager.h"

namespace mo {

Box getWorldBox(const Object* p_o) { return getWorldBox(p_o, p_o->getPosition()); }

Box getWorldBox(const Object* p_o, Vector where) {
  Box box = p_o->getBox();
  box.setCorner(box.getCorner() + where);
  return box;
}

Vector worldToView(Vector world_pos) {
  return world_pos - WorldManager::getInstance().getView().getCorner();
}

Vector viewToWorld(Vector view_pos) {
  return view_pos + WorldManager::getInstance().getView().getCorner();
}

Vector getNormal(const Object* p_moving, const Object* p_obstacle) {
  // Back off along the velocity by bisection to the last place that
  // does not overlap the obstacle. The scaling of vel accumulates from
  // pass to pass.
  Vector vel = p_moving->getVelocity();
  const Vector start = p_moving->getPosition();
  const Box obstacle = getWorldBox(p_obstacle);
  float factor = 0.5f;
  Vector last_free = start;
  float step = 1.0f;
  for (int i = 1; i <= 7; i++) {
    vel.scale(factor);
    const Vector candidate = start + vel;
    step *= 0.5f;
    if (boxIntersectsBox(getWorldBox(p_moving, candidate), obstacle)) {
      factor -= step;
    } else {
      factor += step;
      last_free = candidate;
    }
  }

  // Which neighbouring box of the obstacle's size does it touch?
  const Box moving = getWorldBox(p_moving, last_free);
  const float x = obstacle.getCorner().getX();
  const float y = obstacle.getCorner().getY();
  const float h = obstacle.getHorizontal();
  const float v = obstacle.getVertical();
  struct Side {
    float corner_x, corner_y, normal_x, normal_y;
  };
  const Side sides[] = {
      {x, y - v, 0, -1},      {x, y + v, 0, 1},       {x - h, y, -1, 0},
      {x + h, y, 1, 0},       {x - h, y - v, -1, -1}, {x + h, y - v, 1, -1},
      {x - h, y + v, -1, 1},  {x + h, y + v, 1, 1},
  };
  for (const Side& side : sides) {
    if (boxIntersectsBox(moving, Box(Vector(side.corner_x, side.corner_y), h, v))) {
      return Vector(side.normal_x, side.normal_y);
    }
  }
  LogManager::getInstance().writeLog("getNormal(): collision not detected. Returning (0,0).");
  return Vector();
}

}  // namespace mo
