#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: first a
# normal build, then the tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, then the fuzz targets briefly. Exits non-zero on
# any failure. The style gates (clang-format, ASCII sources) run first. GUI
# and GL tests run under xvfb-run when there is no display; each widget test
# starts an Xvfb of its own besides (tests/gui/own_display.sh), so tests run
# side by side share no clipboard, selection or focus.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
jobs=$(nproc)
fuzz_seconds=${QV_FUZZ_SECONDS:-20}
bash "$here/scripts/deps.sh"

run_display() {
  if [ -n "${DISPLAY:-}" ]; then "$@"; else xvfb-run -a -s "-screen 0 1280x1024x24" "$@"; fi
}

echo "== style"
bash "$here/scripts/check_style.sh"

echo "== build"
cmake -S "$here" -B "$here/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$here/build" -j"$jobs"
echo "== samples"
# The Demo menu's documents are made by the project's tool: made anew, they
# must be the very files committed.
samples_check=$(mktemp -d)
trap 'rm -rf "$samples_check"' EXIT
"$here/build/bin/qv_make_samples" "$samples_check" >/dev/null
for made in "$samples_check"/*; do
  committed="$here/resources/samples/$(basename "$made")"
  if ! cmp -s "$made" "$committed"; then
    echo "resources/samples/$(basename "$made") differs from what tools/make_samples makes" >&2
    exit 1
  fi
done
for committed in "$here"/resources/samples/*; do
  if [ ! -e "$samples_check/$(basename "$committed")" ]; then
    echo "resources/samples/$(basename "$committed") is not made by tools/make_samples" >&2
    exit 1
  fi
done
echo "== tests"
(cd "$here/build" && run_display ctest --output-on-failure -j"$jobs" --timeout 600)

echo "== tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S "$here" -B "$here/build-asan" -DCMAKE_BUILD_TYPE=Debug -DQV_SANITIZER=address,undefined \
  -DQV_BUILD_BENCH=OFF -DQV_BUILD_APP=ON >/dev/null
cmake --build "$here/build-asan" -j"$jobs"
# The toolkit and the GL drivers keep allocations until exit; leaks are
# checked on our own code through the suppression file.
export ASAN_OPTIONS="detect_leaks=1"
export LSAN_OPTIONS="suppressions=$here/.lsan.supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
(cd "$here/build-asan" && run_display ctest --output-on-failure -j"$jobs" --timeout 1200)

if ls "$here"/fuzz/*.cmake >/dev/null 2>&1; then
  echo "== fuzz targets (${fuzz_seconds} s each)"
  CC=clang CXX=clang++ cmake -S "$here" -B "$here/build-fuzz" -DCMAKE_BUILD_TYPE=Debug \
    -DQV_BUILD_FUZZ=ON -DQV_BUILD_TESTS=OFF -DQV_BUILD_BENCH=OFF -DQV_BUILD_APP=OFF \
    -DQV_SANITIZER=address,undefined >/dev/null
  cmake --build "$here/build-fuzz" -j"$jobs"
  for target in "$here"/build-fuzz/bin/fuzz_*; do
    [ -x "$target" ] || continue
    name=$(basename "$target")
    corpus="$here/build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    seeds="$here/fuzz/seeds/${name#fuzz_}"
    [ -d "$seeds" ] || seeds=""
    # A crashing input lands beside the corpus, named after the target.
    "$target" -max_total_time="$fuzz_seconds" -rss_limit_mb=4096 \
      -artifact_prefix="$here/build-fuzz/$name-" "$corpus" $seeds
  done
fi
echo "== all tests passed"
