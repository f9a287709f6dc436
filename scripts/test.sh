#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UBSan, and runs every test.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DLUDRA_SANITIZE=ON >/dev/null
cmake --build "$here/build/asan"
cd "$here/build/asan"
ctest --output-on-failure -j "$(nproc)" "$@"
