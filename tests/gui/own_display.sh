#!/usr/bin/env bash
# Runs a command under an X server of its own. CTest runs every widget test
# through this: on one shared display, tests running side by side took each
# other's clipboard, selection and keyboard focus. Xvfb picks a free display
# number itself (-displayfd), so servers started side by side never collide,
# and it tells the number once it accepts clients.
set -u
work=$(mktemp -d)
server=""
finish() {
  if [ -n "$server" ]; then
    kill "$server" 2>/dev/null
    wait "$server" 2>/dev/null
  fi
  rm -rf "$work"
}
trap finish EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
mkfifo "$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/log" &
server=$!
number=""
read -r number <"$work/display" || true
if [ -z "$number" ]; then
  echo "own_display.sh: Xvfb did not start:" >&2
  cat "$work/log" >&2
  exit 1
fi
DISPLAY=":$number" "$@"
