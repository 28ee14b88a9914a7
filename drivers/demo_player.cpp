#include "drivers/demo_player.h"

#include <climits>
#include <cstdlib>

namespace drivers {

namespace {

// Kinds of the objects of play as the state shows them.
constexpr int kLeaf = 1, kSignDuck = 5, kRedBird = 6, kCreeper = 7;
// The hidden flower's world position, and the screen's special corners.
constexpr int kFlowerX = 165, kFlowerY = 919;

bool OnScreen(int x, int y) { return x >= 0 && x < 240 && y >= 0 && y < 320; }
bool InMenuCorner(int x, int y) { return x >= 229 && y >= 309; }
bool InReloadArea(int x, int y) { return x >= 201 && y >= 6 && y <= 164; }

bool Inside(const ObjectSnapshot& o, int wx, int wy, int margin) {
  return wx >= o.x - margin && wx < o.x + o.width + margin && wy >= o.y - margin &&
         wy < o.y + o.height + margin;
}

int Value(bool duck, int kind) {
  if (duck) return kind > 2 ? 25 : 10;
  return kind == kSignDuck ? 50 : 5;
}

}  // namespace

DemoMove DemoPlayer::Decide(const StateSnapshot& state) {
  DemoMove move;
  const GameSnapshot& game = state.game;
  if (!game.playing) return move;
  if (game.shells == 0) {
    // Reload by tapping the shells most of the time, by the key now and then.
    move.kind = DemoMove::kReload;
    move.x = 220;
    move.y = 40 + (reloads_++ % 3) * 40;
    return move;
  }

  const int sx = state.scrollX, sy = state.scrollY;
  auto safe = [&](int wx, int wy) {
    const int x = wx - sx, y = wy - sy;
    if (!OnScreen(x, y) || InMenuCorner(x, y) || InReloadArea(x, y)) return false;
    for (const ObjectSnapshot& t : game.targets)
      if ((t.kind == kRedBird || t.kind == kCreeper) && Inside(t, wx, wy, 3)) return false;
    return true;
  };

  // The best target in view: the most points, then the nearest to the last shot.
  int bestScore = INT_MIN;
  auto consider = [&](const ObjectSnapshot& o, bool duck) {
    if (!o.hasAim || !safe(o.aimX, o.aimY)) return;
    const int x = o.aimX - sx, y = o.aimY - sy;
    const int score = Value(duck, o.kind) * 1000 - (std::abs(x - lastX_) + std::abs(y - lastY_));
    if (score <= bestScore) return;
    bestScore = score;
    move.kind = DemoMove::kShoot;
    move.x = x;
    move.y = y;
  };
  for (const ObjectSnapshot& d : game.ducks)
    if (d.kind >= 1 && d.kind <= 4) consider(d, true);
  for (const ObjectSnapshot& t : game.targets)
    if (t.kind == kLeaf || t.kind == kSignDuck) consider(t, false);
  if (!game.flowerShot && safe(kFlowerX, kFlowerY)) {
    move.kind = DemoMove::kShoot;
    move.x = kFlowerX - sx;
    move.y = kFlowerY - sy;
  }
  if (move.kind == DemoMove::kShoot) {
    lastX_ = move.x;
    lastY_ = move.y;
    return move;
  }

  // Nothing to shoot: turn towards the nearest duck in flight.
  int nearest = INT_MAX, towards = 0;
  for (const ObjectSnapshot& d : game.ducks) {
    if (d.kind < 1 || d.kind > 4) continue;
    const int middle = d.y + d.height / 2;
    if (middle < 0 || middle >= 960) continue;
    const int offset = middle - (sy + 160);
    if (std::abs(offset) < std::abs(nearest)) nearest = offset, towards = offset;
  }
  if (nearest != INT_MAX && std::abs(towards) > 100) {
    if (towards < 0 && sy >= 10) move.kind = DemoMove::kScrollUp;
    if (towards > 0 && sy <= 629) move.kind = DemoMove::kScrollDown;
  }
  return move;
}

}  // namespace drivers
