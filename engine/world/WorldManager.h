#ifndef MO_WORLD_MANAGER_H
#define MO_WORLD_MANAGER_H

#include <string>

#include "engine/core/Box.h"
#include "engine/core/Manager.h"
#include "engine/core/Vector.h"
#include "engine/world/ObjectList.h"
#include "engine/world/SceneGraph.h"

namespace mo {

class Object;

/// Owns the game world: every object (through the SceneGraph), the
/// world's boundary, the view shown in the window and the object the
/// view follows. Each frame it moves the objects, delivers collision
/// and out-of-world events and deletes the objects marked for deletion.
/// It also delivers every event type no other manager owns. All
/// positions and boxes are in world cells.
///
///   mo::WorldManager& world = mo::WorldManager::getInstance();
///   world.setBoundary(mo::Box(mo::Vector(0, 0), 400, 84));  // a wider world
///   world.setViewFollowing(p_player);                        // scroll with it
///   world.markForDelete(p_enemy);                            // gone after this update
class WorldManager : public Manager {
 public:
  /// The single instance.
  static WorldManager& getInstance();

  /// False, with a line in the log, for the keyboard, mouse and step
  /// types (other managers deliver them) and for the out and collision
  /// types (sent without registration); true for every other type.
  bool isValid(std::string event_type) const override;

  ~WorldManager() override;

  /// Empties the deletion list, resets boundary, view (corner (0,0),
  /// size 0 x 0), slack (0,0) and following, starts the scene graph. 0;
  /// a second call logs and returns 0.
  int startUp() override;

  /// Deletes every object left, active ones first, and stops the scene
  /// graph.
  void shutDown() override;

  /// Files a new object in the scene graph: 0; -1 (logged at level 2)
  /// when the manager is not started.
  int insertObject(Object* p_o);

  /// Takes an object out of the scene graph, the deletion list and the
  /// view's following: the scene graph's result; -1 for an object that
  /// was never filed in the world.
  int removeObject(Object* p_o);

  /// A copy of the active objects, followed by the inactive ones when
  /// inactive is true.
  ObjectList getAllObjects(bool inactive = false) const;

  /// A copy of the active objects of one type.
  ObjectList objectsOfType(const std::string& type) const;

  /// The scene graph, for the Object setters.
  SceneGraph& getSceneGraph();

  /// The solid objects that p_o would overlap at where.
  ObjectList getCollisions(const Object* p_o, Vector where) const;

  /// Queues p_o for deletion at the end of the current update: 0 (also
  /// when already queued, or while its destructor runs); -1 when the
  /// queue cannot grow.
  int markForDelete(Object* p_o);

  /// The world step: moves every active object by its velocity, steps
  /// path following and acceleration, then deletes the marked objects
  /// in the order they were marked (also those marked meanwhile).
  void update();

  /// Moves p_o to where, exchanging collision events with the solid
  /// objects there: 0 when moved; -1 when blocked (the object stays).
  int moveObject(Object* p_o, Vector where);

  /// Draws every active visible object, altitude 0 first; within an
  /// altitude in the order they became visible. Objects whose boxes
  /// miss the view are skipped, except HUD objects (ViewObject), which
  /// are placed relative to the view.
  void draw();

  /// The world's extent (cells): objects leaving it get "mo-out", the
  /// view stays inside it and path searches cover it. GameManager's
  /// startUp() makes it the window's size; not checked when set.
  Box getBoundary() const { return boundary; }
  void setBoundary(Box new_boundary) { boundary = new_boundary; }
  /// The part of the world shown in the window (cells); its corner is
  /// the view's (0,0). startUp() makes it the window's size.
  Box getView() const { return view; }
  void setView(Box new_view) { view = new_view; }

  /// Centres the view on a world position, kept inside the boundary.
  void setViewPosition(Vector view_pos);

  /// Makes the view follow p_o and centres it on it at once: 0; nullptr
  /// stops following (0); -1 when p_o is not in the world.
  int setViewFollowing(Object* p_o);
  /// The object the view follows, or nullptr.
  Object* getViewFollowing() const { return p_view_following; }

  /// Fractions (0..1) of the view's width and height within which the
  /// followed object may move without moving the view. Values outside
  /// 0..1 are logged and stored anyway.
  void setViewSlack(Vector new_slack);
  /// The slack as set (fractions of the view).
  Vector getViewSlack() const { return view_slack; }

  /// Deletes every object left (when started) and returns to the
  /// just-constructed state; for test fixtures.
  void reset();

 private:
  WorldManager();
  /// Recentres the view after the followed object moved, within slack.
  void followWithView(Vector position);
  /// Deletes the queued objects, including those queued meanwhile.
  void deleteMarked();

  SceneGraph scene_graph;
  ObjectList deletions;
  ObjectList being_deleted;
  Object* p_view_following;
  Box boundary;
  Box view;
  Vector view_slack;
};

}  // namespace mo

#endif
