#!/usr/bin/env bash
# The engines' one-worker speed of the Windows build under Wine next to the native build, in one
# session on this machine. For every case and round the two builds run one after the other (which
# goes first alternates), so a pair sees the same load of a shared machine; a case's figures are
# the medians over the rounds, and "wine/nat" the median of the pairs' ratios. Run by hand, never
# as a test:
#   bench/compare_windows.sh [seconds per run, default 1] [rounds, default 5] [case text...]
# Without case texts every case of equity_speed runs. Needs build/native/bin/equity_speed and
# build/win/bin/equity_speed.exe (scripts/build native win); OV_SPEED_NATIVE and OV_SPEED_WINDOWS
# name other builds of them (e.g. copies kept from before a change).
# Two figures per build: deals per second of thread time while dealing, and over the whole run
# with its preparation (what a user waits for). OV_BENCH_RAW=FILE keeps every run's
# figure in FILE ("n" native or "w" Windows, round, case, game, rate).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"

seconds="${1:-1}"
rounds="${2:-5}"
cases=("${@:3}")
native="${OV_SPEED_NATIVE:-$OV_NATIVE/bin/equity_speed}"
exe="${OV_SPEED_WINDOWS:-$OV_WIN/bin/equity_speed.exe}"
[ -x "$native" ] || { echo "missing $native (scripts/build native)" >&2; exit 1; }
[ -f "$exe" ] || { echo "missing $exe (scripts/build win)" >&2; exit 1; }

windows() { wine "$exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; }

if [ ${#cases[@]} -eq 0 ]; then
  # The case names: the first column pair of the table ("10 every, flop").
  mapfile -t cases < <("$native" 0.001 1 | awk 'NR > 1 && $4 == "Hi" { print $1 " " $2 " " $3 }')
fi

out="$(mktemp)"
trap "rm -f \"$out\"" EXIT
ov_warm_wine || true  # a server already running is fine
for r in $(seq 1 "$rounds"); do
  ov_log "round $r of $rounds"
  for c in "${cases[@]}"; do
    if [ $((r % 2)) -eq 1 ]; then
      "$native" "$seconds" 1 "--case=$c" | awk -v r="$r" 'NR > 1 { print "n", r, $0 }' >>"$out"
      windows "$seconds" 1 "--case=$c" | awk -v r="$r" 'NR > 1 { print "w", r, $0 }' >>"$out"
    else
      windows "$seconds" 1 "--case=$c" | awk -v r="$r" 'NR > 1 { print "w", r, $0 }' >>"$out"
      "$native" "$seconds" 1 "--case=$c" | awk -v r="$r" 'NR > 1 { print "n", r, $0 }' >>"$out"
    fi
  done
done

[ -z "${OV_BENCH_RAW:-}" ] || cp "$out" "$OV_BENCH_RAW"
# Lines "build round case-word case-word case-word game rate run-rate prepare-ms".
awk '
  function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    return n % 2 ? a[(n + 1) / 2] : (a[n / 2] + a[n / 2 + 1]) / 2
  }
  {
    key = $3 " " $4 " " $5 " " $6
    if (!(key in seen)) { seen[key] = 1; order[++count] = key }
    rates[$1, key] = rates[$1, key] " " $7
    rate[$1, key, $2] = $7
    runs[$1, key] = runs[$1, key] " " $8
    run[$1, key, $2] = $8
    if (!((key, $2) in round)) { round[key, $2] = 1; rounds[key] = rounds[key] " " $2 }
  }
  END {
    printf "%-24s %11s %11s %8s   %11s %11s %8s\n", "case", "native/s", "wine/s", "wine/nat",
           "nat run/s", "wine run/s", "wine/nat"
    for (i = 1; i <= count; ++i) {
      k = order[i]; ratios = ""; runRatios = ""
      n = split(rounds[k], rs, " ")
      for (j = 1; j <= n; ++j) {
        r = rs[j]
        if ((("n", k, r) in rate) && (("w", k, r) in rate) && rate["n", k, r] > 0 && run["n", k, r] > 0) {
          ratios = ratios " " rate["w", k, r] / rate["n", k, r]
          runRatios = runRatios " " run["w", k, r] / run["n", k, r]
        }
      }
      printf "%-24s %11.0f %11.0f %8.3f   %11.0f %11.0f %8.3f\n", k, median(rates["n", k]), median(rates["w", k]),
             median(ratios), median(runs["n", k]), median(runs["w", k]), median(runRatios)
    }
  }' "$out"
