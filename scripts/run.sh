#!/usr/bin/env bash
# Installs what is missing, builds, and starts the program.
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/.." && pwd)"
"$ROOT/scripts/install-deps.sh"
"$ROOT/scripts/build.sh"
if [ -x "$ROOT/build/src/ui/vibrona" ]; then
  exec "$ROOT/build/src/ui/vibrona" "$@"
fi
echo "The window program is not part of this build yet; the core library and tests are built."
