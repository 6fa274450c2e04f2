#!/usr/bin/env bash
# Configures (once) and builds into ./build: the targets named, or everything.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release
fi
TARGETS=()
for t in "$@"; do TARGETS+=(--target "$t"); done
cmake --build "$BUILD" --parallel "$(nproc)" "${TARGETS[@]}"
