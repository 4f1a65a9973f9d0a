#ifndef MO_PATH_MANAGER_H
#define MO_PATH_MANAGER_H

#include <vector>

#include "engine/core/Manager.h"
#include "engine/core/Vector.h"

namespace mo {

class Object;
class PathFind;

/// Runs the path searches of the world's objects in the time the game
/// loop has left each frame. Each pass gives every running search one
/// step (PathFind::cycleOnce()); passes repeat until the time is up or
/// no search is left. A search that ends is reported to its object with
/// an EventPath ("mo-path"), passed straight to the object's
/// eventHandler(); Object's own handler then follows a path found and
/// ends the search. The manager lists the searches; their objects own
/// them (Object::setPathSearch()).
///
///   p_seeker->setSpeed(0.5f);  // cells per step along the path
///   mo::PathManager::getInstance().findPath(p_seeker, mo::Vector(70, 12));
///   // later an EventPath reaches p_seeker, which follows the path found
class PathManager : public Manager {
 public:
  /// The single instance.
  static PathManager& getInstance();
  ~PathManager() override;

  /// Takes the minimum cycle time from the GameManager's frame time (a
  /// tenth of it, in whole milliseconds). 0; a second call logs and
  /// returns 0.
  int startUp() override;

  /// Stops the manager. Searches still listed stay with their objects.
  void shutDown() override;

  /// Starts a search for p_obj from its cell (its position, rounded
  /// down) to the cell of destination, replacing any search still
  /// running for it; with p_target the search also ends as soon as
  /// p_obj touches p_target placed at destination. The result comes as
  /// an EventPath to p_obj. 0; -1 (logged, the running search kept) when
  /// the manager is not started, p_obj is null, either cell lies outside
  /// the WorldManager's boundary, or the world is too large to search.
  int findPath(Object* p_obj, Vector destination, Object* p_target = nullptr);

  /// Runs the searches for up to cycle_time milliseconds, but at least
  /// min_cycle_time (so a budget of 0 or less still gets that much). A
  /// pass that overruns finishes its current step and is logged at level 5.
  void cycle(int cycle_time);

  /// Runs exactly steps search steps (fewer when the searches run out),
  /// in the order cycle() runs them, whatever the time: a replay runs
  /// the steps its recording did.
  void cycleSteps(int steps);

  /// The search steps (PathFind::cycleOnce() calls) of the last cycle()
  /// or cycleSteps().
  int getCycleSteps() const { return cycle_steps; }

  /// Takes every occurrence of p_path_find off the list (it is not
  /// destroyed): 0; -1 for nullptr or a search that is not listed.
  int removePathFind(PathFind* p_path_find);

  /// Makes every listed search that heads for p_o forget it and go on to
  /// its goal cell alone; called by the destructor of Object.
  void forgetTarget(const Object* p_o);

  /// The number of searches listed.
  int getSearchCount() const { return static_cast<int>(search_list.size()); }

  /// The least time cycle() runs for, in milliseconds.
  /// The least search time of a frame, in milliseconds, whatever the
  /// loop has left.
  int getMinCycleTime() const { return min_cycle_time; }
  void setMinCycleTime(int new_min_cycle_time) { min_cycle_time = new_min_cycle_time; }

  /// Forgets every search (their objects keep them) and returns to the
  /// just-constructed state; for test fixtures.
  void reset();

 private:
  PathManager();
  /// Tells a search's object that it ended with result, and ends the
  /// search should the object's handler have left it running.
  void report(PathFind* p_search, int result);
  /// Runs passes over the searches until there are none or done says
  /// to stop: done(true) is asked before each pass, done(false) after
  /// each step.
  template <typename Done>
  void runPasses(Done done);

  std::vector<PathFind*> search_list;
  int min_cycle_time;
  std::size_t pass_index;
  int cycle_steps;
};

}  // namespace mo

#endif
