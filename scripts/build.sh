#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Configures (once) and builds into ./build: the targets named, or everything.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
BUILD="$ROOT/build"
if [ ! -f "$BUILD/build.ninja" ]; then
  LAUNCHER=()
  # ccache, when present, makes rebuilds of unchanged files free.
  if command -v ccache >/dev/null; then LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
  cmake -S "$ROOT" -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release "${LAUNCHER[@]}"
fi
# ccache caches the sources that use the precompiled headers only when told to be sloppy
# about the headers' macros and time stamps.
export CCACHE_SLOPPINESS="${CCACHE_SLOPPINESS:-pch_defines,time_macros}"
TARGETS=()
for t in "$@"; do TARGETS+=(--target "$t"); done
cmake --build "$BUILD" --parallel "$(nproc)" "${TARGETS[@]}"
