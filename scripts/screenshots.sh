#!/usr/bin/env bash
# Makes the README's pictures from real runs of the game under Xvfb:
# docs/images/title.png (the title screen), docs/images/glyphs.png (ice
# raised with the staff beside the HUD's boxes and health bar: line
# drawing and blocks) and docs/images/play.png (a moment of the shipped
# winning run, data/demo.replay).
# Usage: scripts/screenshots.sh [BUILD_DIR] [DISPLAY_NUMBER]
# Needs a built game (make build); installs xwd and ImageMagick if missing.
set -euo pipefail

ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD_DIR="$(cd "${1:-$ROOT/build}" && pwd)"
DISPLAY_NUMBER="${2:-58}"
OUT="$ROOT/docs/images"
GAME="$BUILD_DIR/platformer"
[ -x "$GAME" ] || { echo "screenshots: no game at $GAME; run make build" >&2; exit 1; }

missing=()
command -v xwd >/dev/null || missing+=(x11-apps)
command -v convert >/dev/null && convert -version >/dev/null 2>&1 || missing+=(imagemagick)
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y --no-install-recommends "${missing[@]}"
fi

export DISPLAY=":$DISPLAY_NUMBER"
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -noreset >/dev/null 2>&1 &
xvfb=$!
game=""
cleanup() {
  [ -n "$game" ] && kill "$game" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

# Starts the game in its data folder, with its own log kept out of it and
# any further environment given as arguments, and waits for its window.
start_game() {
  cd "$ROOT/data"
  env MORVANE_LOG="$(mktemp)" ALSOFT_DRIVERS=null "$@" "$GAME" &
  game=$!
  window=""
  for _ in $(seq 50); do
    window="$(xdotool search --name Rimefall 2>/dev/null | head -n 1 || true)"
    [ -n "$window" ] && break
    sleep 0.2
  done
  [ -n "$window" ] || { echo "screenshots: the game's window did not appear" >&2; exit 1; }
}

# Captures the window once it shows more than a black screen (a loaded
# machine may take seconds to draw the next screen).
shoot() {
  for _ in $(seq 40); do
    xwd -silent -id "$window" | convert xwd:- "png:$OUT/$1"
    if [ "$(convert "$OUT/$1" -format '%[fx:mean>0.002]' info:)" = 1 ]; then
      echo "screenshots: $OUT/$1"
      return
    fi
    sleep 0.5
  done
  echo "screenshots: the window stayed black for $1" >&2
  exit 1
}
key() { xdotool key --window "$window" "$1"; }

mkdir -p "$OUT"
start_game
sleep 2
key Return          # skips the splash
sleep 3
shoot title.png
key Return          # starts the level
sleep 2
# Walk right for a while and jump once, then the staff.
xdotool mousemove --window "$window" 900 300
xdotool keydown --window "$window" d
sleep 3
key space
sleep 0.4
xdotool keyup --window "$window" d
sleep 0.5
# The staff: an ice wall ahead and an ice platform overhead. A cast
# inside the staff's cooldown (30 frames) is refused, so the second waits.
key Tab
sleep 0.3
xdotool mousemove --window "$window" 700 420 click 3
sleep 1.6
xdotool mousemove --window "$window" 330 110 click 1
sleep 2.5
shoot glyphs.png
key Escape
wait "$game" || true
game=""

# A moment of the shipped winning run: the gun fired at a heavy enemy
# about eleven seconds into the level.
start_game MORVANE_REPLAY=demo.replay
sleep 12
shoot play.png
kill "$game" 2>/dev/null || true
wait "$game" || true
game=""
