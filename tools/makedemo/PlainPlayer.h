#ifndef GH_PLAIN_PLAYER_H
#define GH_PLAIN_PLAYER_H

#include <string>
#include <vector>

#include "engine/core/InputSource.h"
#include "engine/core/Vector.h"

namespace mo {
class Object;
}

namespace gh {

class Player;

/// Plays the level as a plain player would, through the same input
/// events a window sends: at the title it starts a game (or quits with
/// Escape when it has no games left); in play it walks toward the chest
/// (storey by storey, turning at the end of one), jumps where a jump gets
/// it further than walking (over walls and pits, onto platforms), shoots
/// the enemies ahead, freezes the first one met on the chest's storey with
/// the staff, raises an ice platform under the chest when it stands too
/// high, and presses E beside it. To lose, it walks on and lets the
/// enemies shoot.
class PlainPlayer : public mo::InputSource {
 public:
  /// A player that plays games to win (win) or to lose; one game, then it
  /// quits at the title.
  explicit PlainPlayer(bool win);

  /// The input of the frame about to run.
  void frameInput(std::vector<mo::ReplayEvent>& events) override;

  /// Whether the next game started is played to win; the current one
  /// keeps its aim.
  void setWin(bool new_win) { next_win = new_win; }
  /// Games still to start at the title; at 0 it quits there.
  void setGamesLeft(int games) { games_left = games; }
  int getGamesLeft() const { return games_left; }
  /// The labels of the game-over screens reached, in order.
  const std::vector<std::string>& getScreens() const { return screens; }
  /// Frames seen since start-up.
  int getFrame() const { return frame; }

  /// Writes the player's place, health and energy to standard error every
  /// trace-th frame; 0 for never (MAKEDEMO_TRACE=N sets it).
  int trace;

  /// The first active object of type in the world, or nullptr.
  static mo::Object* firstOf(const std::string& type);

 private:
  void press(std::vector<mo::ReplayEvent>& events, mo::KeyCode key);
  void aimAt(std::vector<mo::ReplayEvent>& events, mo::Vector world_at);
  void click(std::vector<mo::ReplayEvent>& events, mo::MouseButton button, mo::Vector world_at);
  /// At the title: starts a game or quits, every 10th frame.
  void title(std::vector<mo::ReplayEvent>& events);
  void play(Player* p_player, std::vector<mo::ReplayEvent>& events,
            std::vector<mo::ReplayEvent>& held);
  void walkAndJump(Player* p_player, mo::Vector at, std::vector<mo::ReplayEvent>& events,
                   std::vector<mo::ReplayEvent>& held);
  /// Whether at lies on the chest's storey: not above the chest, and not
  /// more than a storey's floor below it (a player falling from the
  /// storey above is not there until it is close).
  static bool onChestStorey(mo::Vector at);
  /// How far (cells in dir) the player would get in LOOKAHEAD steps of
  /// holding the key of dir, jumping at the first one when jump, from at
  /// with the vertical velocity vy (cells per step): a rough copy of the
  /// game's walking, gravity and landing, probed in the world.
  float reach(const Player* p_player, mo::Vector at, float vy, bool jump) const;

  static constexpr int LOOKAHEAD = 24;

  bool win;
  bool next_win;
  int games_left;
  int frame;
  int dir;
  int stuck;
  mo::Vector last_at;
  bool frozen_one;
  int standing;
  bool over_shown;
  mo::Vector aimed_at;  // where the mouse is, in view cells  // a game-over screen was there last frame
  std::vector<std::string> screens;
};

}  // namespace gh

#endif
