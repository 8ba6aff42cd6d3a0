#!/usr/bin/env bash
# The style gates: every C++ file laid out by .clang-format, and source and
# build files in plain ASCII (texts beyond it are written as escapes, so that
# no editor's encoding changes a byte of a message or a record). Exits
# non-zero, naming the files, on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cd "$here"
status=0
mapfile -t sources < <(git ls-files '*.cpp' '*.h' '*.inc')
if ! clang-format --dry-run -Werror "${sources[@]}" 2>/dev/null; then
  echo "Not formatted (run: git ls-files '*.cpp' '*.h' '*.inc' | xargs clang-format -i):"
  for f in "${sources[@]}"; do
    clang-format --dry-run -Werror "$f" >/dev/null 2>&1 || echo "  $f"
  done
  status=1
fi
mapfile -t texts < <(git ls-files '*.cpp' '*.h' '*.inc' '*.cmake' 'CMakeLists.txt' '*/CMakeLists.txt' '*.sh')
if non_ascii=$(grep -lP '[^\x00-\x7F]' "${texts[@]}"); then
  echo "Characters beyond ASCII in:"
  echo "$non_ascii" | sed 's/^/  /'
  status=1
fi
exit $status
