#!/usr/bin/env bash
# Times Quillmark from process start to its main window shown with the catalogue loaded, against a
# bare Qt program with a main window, a menu and a toolbar: median of 15 runs each, in a display
# that bench/run provides. Usage: bench/startup-time.sh [build-folder]
set -euo pipefail
build=${1:-build}
median_us() {
  local times=()
  for _ in $(seq 15); do
    local t0
    t0=$(date +%s%N)
    "$1" >/dev/null 2>&1
    times+=($((($(date +%s%N) - t0) / 1000)))
  done
  printf '%s\n' "${times[@]}" | sort -n | sed -n 8p
}
"$build/bin/startup_quillmark" >/dev/null 2>&1 || true  # warm the file cache once
q=$(median_us "$build/bin/startup_quillmark")
b=$(median_us "$build/bench/startup_bare")
awk -v q="$q" -v b="$b" 'BEGIN {
  printf "%-60s %8.1f ms\n", "start-up to main window with catalogue, Quillmark", q / 1000
  printf "%-60s %8.1f ms\n", "start-up to main window, bare Qt program", b / 1000
  printf "%-60s %8.2f x (target 1.5 at most)\n", "ratio", q / b }'
