#ifndef MO_SCENE_GRAPH_H
#define MO_SCENE_GRAPH_H

#include <map>
#include <string>

#include "engine/core/Vector.h"
#include "engine/world/Object.h"
#include "engine/world/ObjectList.h"
#include "engine/world/SpatialGrid.h"

namespace mo {

/// The WorldManager's index of every object: the active ones, the
/// active solid ones, the active visible ones per altitude, the
/// inactive ones and the active ones by type. The Object setters call
/// the update operations before they change an indexed attribute, so
/// "current" below means the value still stored in the object. Every
/// int result is 0 on success and -1 on failure (logged).
///
/// The solid objects are also filed in a SpatialGrid, so that the
/// collision query looks only near the place asked about; it answers
/// exactly what a scan of the solid list answers, in the same order.
/// The plain scan stays selectable, for comparison.
class SceneGraph {
 public:
  SceneGraph();
  SceneGraph(const SceneGraph&) = delete;
  SceneGraph& operator=(const SceneGraph&) = delete;

  /// Empties the type map and announces the configuration. 0.
  int startUp();
  /// Empties the type map.
  void shutDown();

  /// Files p_o in every list its attributes call for.
  int insertObject(Object* p_o);
  /// Takes p_o out of every list; every removal is attempted.
  int removeObject(Object* p_o);

  /// A copy of the active objects.
  ObjectList activeObjects() const;
  /// A copy of the inactive objects.
  ObjectList inactiveObjects() const;
  /// A copy of the active visible objects of altitude (0..MAX_ALTITUDE);
  /// empty, with a warning, for another altitude.
  ObjectList visibleObjects(int altitude) const;
  /// A copy of the active objects of one type (empty for an unknown type).
  ObjectList objectsOfType(const std::string& type) const;
  /// The active solid objects other than p_o whose world boxes meet
  /// p_o's box placed at where, in the order they became solid.
  ObjectList solidObjectsAt(const Object* p_o, Vector where) const;
  /// The same answer found by walking the whole solid list.
  ObjectList scanSolidObjectsAt(const Object* p_o, Vector where) const;

  /// Whether solidObjectsAt() asks the spatial grid (the default) or
  /// scans the solid list. Turning it on files every solid object anew.
  void setSpatialIndex(bool on);
  bool hasSpatialIndex() const { return use_grid; }

  /// Moves p_o between the active lists and the inactive list.
  int updateActive(Object* p_o, bool active);
  /// Adds p_o to or removes it from its altitude's visible list.
  int updateVisible(Object* p_o, bool visible);
  /// Moves a visible p_o between altitude lists.
  int updateAltitude(Object* p_o, int new_altitude);
  /// Adds p_o to or removes it from the solid list.
  int updateSolidness(Object* p_o, Solidness new_solidness);
  /// Moves p_o between type-map entries.
  int updateType(Object* p_o, const std::string& new_type);
  /// Called when p_o's position or box is about to change: the grid
  /// reads its new place before the next query. 0.
  int updatePosition(Object* p_o);

  /// Empties every list and the type map and turns the spatial grid on,
  /// as just constructed; for test fixtures (the objects are not
  /// deleted).
  void reset();

 private:
  ObjectList objects;
  ObjectList solid_objects;
  ObjectList visible_objects[MAX_ALTITUDE + 1];
  ObjectList inactive_objects;
  std::map<std::string, ObjectList> type_map;
  /// The solid objects again, by place; kept only while use_grid.
  mutable SpatialGrid grid;
  bool use_grid;

  int insertSolid(Object* p_o);
  int removeSolid(Object* p_o);
};

}  // namespace mo

#endif
