#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 Разработчики Vibrona
# SPDX-License-Identifier: GPL-3.0-or-later

# Installs what is missing, builds, and runs every test.
#
# With --sanitizers (what CI runs) it then also builds the tests with
# AddressSanitizer and UndefinedBehaviorSanitizer into build-asan and runs them all,
# where any report fails the run; and, when clang with libFuzzer is installed, builds
# the fuzz targets into build-fuzz and runs each over its seeds for a fixed number
# of inputs.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"

SANITIZERS=0
for Arg in "$@"; do
  case "$Arg" in
    --sanitizers) SANITIZERS=1 ;;
    *) echo "usage: $0 [--sanitizers]" >&2; exit 2 ;;
  esac
done

"$ROOT/scripts/install-deps.sh"
# Every file states its licence.
if command -v reuse >/dev/null; then
  if ! (cd "$ROOT" && reuse lint --quiet); then
    (cd "$ROOT" && reuse lint) || true
    exit 1
  fi
fi
"$ROOT/scripts/build.sh"
cd "$ROOT/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel "$(nproc)"

if [ "$SANITIZERS" -eq 0 ]; then
  exit 0
fi

export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS="suppressions=$ROOT/scripts/lsan.supp:print_suppressions=0"

ASAN="$ROOT/build-asan"
if [ ! -f "$ASAN/build.ninja" ]; then
  # -O1 keeps the instrumented tests quick; -g1 gives the reports their lines.
  cmake -S "$ROOT" -B "$ASAN" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" -DVIBRONA_SANITIZE=ON -DVIBRONA_BUILD_BENCH=OFF
fi
cmake --build "$ASAN" --parallel "$(nproc)"
cd "$ASAN"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --no-tests=error --parallel "$(nproc)"

Probe='extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }'
if ! command -v clang++ >/dev/null ||
   ! echo "$Probe" | clang++ -fsanitize=fuzzer -x c++ - -o /dev/null 2>/dev/null; then
  echo "No clang with libFuzzer: the fuzz targets are left out."
  exit 0
fi
FUZZ="$ROOT/build-fuzz"
if [ ! -f "$FUZZ/build.ninja" ]; then
  cmake -S "$ROOT" -B "$FUZZ" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_CXX_FLAGS_RELEASE="-O1 -g1" -DVIBRONA_FUZZ=ON -DVIBRONA_BUILD_TESTS=OFF \
    -DVIBRONA_BUILD_BENCH=OFF
fi
cmake --build "$FUZZ" --parallel "$(nproc)" \
  --target vibrona_fuzz_project vibrona_fuzz_numbers vibrona_fuzz_entry \
  vibrona_fuzz_columns vibrona_fuzz_universal vibrona_fuzz_audio
# A fixed seed and count: the same inputs on every run, found ones kept out of the tree.
for Target in project:20000 numbers:200000 entry:200000 columns:100000 universal:100000 \
  audio:20000; do
  Name="${Target%%:*}"
  Found="$(mktemp -d)"
  Log="$FUZZ/fuzz-$Name.log"
  if ! "$FUZZ/fuzz/vibrona_fuzz_$Name" -seed=1 -runs="${Target##*:}" -artifact_prefix="$FUZZ/" \
    "$Found" "$ROOT/fuzz/corpus/$Name" >"$Log" 2>&1; then
    tail -n 60 "$Log"
    exit 1
  fi
  tail -n 1 "$Log"
  rm -rf "$Found"
done
