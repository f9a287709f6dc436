#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UBSan, and runs every test; builds the
# optimised configuration of everything too (compile only: the optimiser warns where the
# Debug build does not).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
"$here/scripts/setup.sh"

# The locales the number tests run under: a decimal comma (it_IT, de_DE), a dotless i
# (tr_TR) and a character set other than UTF-8. A run where they cannot be made fails
# here rather than passing without them.
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
for l in it_IT.UTF-8 de_DE.UTF-8 tr_TR.UTF-8 tr_TR.ISO-8859-9; do
    if [ "$(LC_ALL=$l locale charmap 2>/dev/null)" != "${l#*.}" ]; then
        $sudo localedef -i "${l%.*}" -f "${l#*.}" "$l" || true
        if [ "$(LC_ALL=$l locale charmap 2>/dev/null)" != "${l#*.}" ]; then
            echo "The locale $l cannot be made (localedef): the number tests need it" >&2
            exit 1
        fi
    fi
done
cmake -S "$here" -B "$here/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DLUDRA_SANITIZE=ON >/dev/null

release() {
    cmake -S "$here" -B "$here/build/rel" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null &&
        nice -n 19 cmake --build "$here/build/rel"
}

# The optimised build goes beside the sanitizer build, at low priority, when memory holds
# a compile job per core for both (about 1 GiB each); after it otherwise. Either way it
# is over before the tests start, so they run on a quiet machine.
stato=0
disponibile=$(awk '/^MemAvailable:/ {print int($2 / 1048576)}' /proc/meminfo)
if [ "$disponibile" -ge $((2 * $(nproc) + 2)) ]; then
    release >"$here/build/rel.log" 2>&1 &
    rel_pid=$!
    cmake --build "$here/build/asan" || stato=$?
    if ! wait "$rel_pid"; then
        tail -n 100 "$here/build/rel.log"
        echo "Release build failed" >&2
        stato=1
    fi
else
    cmake --build "$here/build/asan" || stato=$?
    release || { echo "Release build failed" >&2; stato=1; }
fi
[ "$stato" -eq 0 ] || exit "$stato"

# The fuzz targets under clang and libFuzzer (the build above runs their corpora without
# the engine): built before any test runs, then each over its corpus and 30 s of new
# inputs, all side by side.
fuzz=0
if command -v clang++ >/dev/null && [ $# -eq 0 ]; then
    fuzz=1
    CC=clang CXX=clang++ cmake -S "$here" -B "$here/build/fuzz" -G Ninja \
          -DCMAKE_BUILD_TYPE=Debug -DLUDRA_FUZZ=ON -DLUDRA_BENCH=OFF >/dev/null
    cmake --build "$here/build/fuzz" --target ludra_fuzz
fi
(cd "$here/build/asan" && ctest --output-on-failure -j "$(nproc)" "$@")
# The tests that read or write numbers (number texts, typed fields, project files, tables
# and CSV, compile, register writes) again, the application object taking a decimal comma
# from the environment as an Italian desktop gives it.
numeri='numeri|impostazioni|Compilatore|eeprom|letturaconfig|scritturaconfig|protocollo'
numeri+='|pagine|compilacomando|statocomandi|registr|variabili|fileprogetto|giroprogetto'
numeri+='|scheduler|Tabelle|editortabelle|filetabellacsv|input_tab|richiestamanuale'
echo "The tests that read or write numbers, again under it_IT.UTF-8:"
(cd "$here/build/asan" && LC_ALL=it_IT.UTF-8 LANG=it_IT.UTF-8 \
    ctest --output-on-failure -j "$(nproc)" -R "$numeri" "$@")
if [ "$fuzz" -eq 1 ]; then
    cd "$here/build/fuzz"
    exec ctest --output-on-failure -L fuzz -j 10
fi
