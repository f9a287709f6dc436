#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UBSan, and runs every test; builds the
# optimised configuration of everything too (compile only: the optimiser warns where the
# Debug build does not).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"
cmake -S "$here" -B "$here/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DLUDRA_SANITIZE=ON >/dev/null
cmake --build "$here/build/asan"

release() {
    cmake -S "$here" -B "$here/build/rel" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        nice -n 19 cmake --build "$here/build/rel"
}

# Beside the tests, at low priority, when memory holds a compile job per core on top of
# them (about 1 GiB each); after them otherwise.
disponibile=$(awk '/^MemAvailable:/ {print int($2 / 1048576)}' /proc/meminfo)
rel_pid=
if [ "$disponibile" -ge $((2 * $(nproc) + 2)) ]; then
    release >"$here/build/rel.log" 2>&1 &
    rel_pid=$!
fi

stato=0
(cd "$here/build/asan" && ctest --output-on-failure -j "$(nproc)" "$@") || stato=$?
if [ -n "$rel_pid" ]; then
    if ! wait "$rel_pid"; then
        tail -n 100 "$here/build/rel.log"
        echo "Release build failed" >&2
        stato=1
    fi
else
    release || { echo "Release build failed" >&2; stato=1; }
fi
exit "$stato"
