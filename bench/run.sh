#!/usr/bin/env bash
# Benchmarks Quiravel against the floor program (bench/baseline.cpp) on a private X server
# without a window manager, and prints medians, ratios and targets.
#
#   bench/run.sh [BUILD_DIR] [--no-build] [--reps N] [--warmup N] [--idle-seconds S]
#                [--settle S] [--quiet S] [--starts N] [--cycles N] [--cycles-base N]
#                [--json FILE]
#
# BUILD_DIR defaults to build/ at the top of the repository. Unless --no-build is given, a
# BUILD_DIR without a CMake cache is configured (RelWithDebInfo, tests and benchmarks on) and
# quiravel and the floor program are brought up to date in it. The other options go to
# bench/measure.py (defaults: 10 runs of each after 1 warm-up run, idle counted over 5 s, 1000
# open-score-close cycles).
# Needs Xvfb (tests/xvfb/with-display.sh starts it) and Debian's python3-xlib; scripts/dev test
# installs both. Exit status 0 when every metric was measured, whether or not targets were met.
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build_dir="$here/build"
build=1
reps=10
warmup=1
cycles=1000
measure_args=()

while (($# > 0)); do
  case "$1" in
    --no-build) build=0; shift ;;
    --reps) reps="$2"; measure_args+=("$1" "$2"); shift 2 ;;
    --warmup) warmup="$2"; measure_args+=("$1" "$2"); shift 2 ;;
    --cycles) cycles="$2"; measure_args+=("$1" "$2"); shift 2 ;;
    --idle-seconds | --settle | --quiet | --starts | --cycles-base | --json)
      measure_args+=("$1" "$2"); shift 2 ;;
    -h | --help) sed -n '2,15s/^# \{0,1\}//p' "${BASH_SOURCE[0]}"; exit 0 ;;
    -*) echo "run.sh: unknown option $1" >&2; exit 2 ;;
    *) build_dir="$1"; shift ;;
  esac
done

if ((build)); then
  if [[ ! -f "$build_dir/CMakeCache.txt" ]]; then
    cmake -S "$here" -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUIRAVEL_TESTS=ON -DQUIRAVEL_WERROR=ON >/dev/null
  fi
  cmake --build "$build_dir" --target quiravel quiravel_baseline quiravel_facts -j "$(nproc)"
fi

program="$build_dir/app/quiravel"
floor="$build_dir/bench/quiravel_baseline"
# The program's facts (sizes, places), which measure.py finds its windows by.
export QUIRAVEL_FACTS="$build_dir/tests/quiravel_facts"
for file in "$program" "$floor" "$QUIRAVEL_FACTS"; do
  if [[ ! -x "$file" ]]; then
    echo "run.sh: $file is missing; build it or leave out --no-build" >&2
    exit 1
  fi
done
cache="$build_dir/CMakeCache.txt"
build_type=$(sed -n 's/^CMAKE_BUILD_TYPE:[A-Z]*=//p' "$cache" 2>/dev/null || true)
sanitize=$(sed -n 's/^QUIRAVEL_SANITIZE:[A-Z]*=//p' "$cache" 2>/dev/null || true)
echo "build: $build_dir (${build_type:-no build type}${sanitize:+, QUIRAVEL_SANITIZE=$sanitize})"
if [[ "$build_type" != "RelWithDebInfo" && "$build_type" != "Release" ]]; then
  echo "run.sh: warning: a $build_type build; the numbers say little about a release" >&2
fi

# Debian's interpreter, which has python3-xlib; not whatever python3 comes first on PATH.
python=/usr/bin/python3
if ! "$python" -c 'import Xlib.ext.damage, Xlib.ext.xtest' 2>/dev/null; then
  echo "run.sh: $python cannot import Xlib; install python3-xlib (scripts/dev test does)" >&2
  exit 1
fi

# Each round takes about 30 s with the default idle windows, quiet time and start-only runs, and
# an open-score-close cycle under 0.1 s.
timeout=$((120 + (reps + warmup) * 90 + cycles / 2))
exec "$here/tests/xvfb/with-display.sh" --timeout "$timeout" -- \
  "$python" "$here/bench/measure.py" --program "$program" --floor "$floor" "${measure_args[@]}"
