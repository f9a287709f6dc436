#!/usr/bin/env bash
# Runs one fuzz target for CI.
#   run.sh corpus TARGET CORPUS        every input of the corpus once
#   run.sh SECONDS TARGET CORPUS WORK  new inputs for that long (libFuzzer builds only);
#                                      what it finds goes to WORK, never to the corpus
# A failing input is printed (as hexadecimal bytes) with the command that reproduces it.
set -uo pipefail
modo=$1 bersaglio=$2 corpus=$3
if [ "$modo" = corpus ]; then
  exec "$bersaglio" -runs=0 "$corpus"
fi
lavoro=$4
rm -rf "$lavoro" && mkdir -p "$lavoro/nuovi"
"$bersaglio" -max_total_time="$modo" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
    -artifact_prefix="$lavoro/" "$lavoro/nuovi" "$corpus"
esito=$?
if [ $esito -ne 0 ]; then
  for f in "$lavoro"/crash-* "$lavoro"/leak-* "$lavoro"/timeout-* "$lavoro"/oom-*; do
    [ -e "$f" ] || continue
    echo "Reproducer $f ($(stat -c %s "$f") bytes):"
    od -An -tx1 -v "$f" | head -n 64
    echo "Reproduce with: $bersaglio $f"
    echo "Keep it: cp $f $corpus/"
  done
fi
exit $esito
