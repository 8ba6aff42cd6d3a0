#!/usr/bin/env bash
# Installs what is missing, builds the program and starts it. Arguments are
# passed on (a document path).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
bash "$here/scripts/deps.sh"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=Release -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF >/dev/null
cmake --build "$here/build" --target quorvel -j"$(nproc)"
exec "$here/build/bin/quorvel" "$@"
