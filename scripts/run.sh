#!/usr/bin/env bash
# Sets up, builds a release build and starts the application.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DLUDRA_TESTS=OFF -DLUDRA_BENCH=OFF >/dev/null
cmake --build "$here/build/release" --target ludra
exec "$here/build/release/src/ludra" "$@"
