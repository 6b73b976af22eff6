#!/usr/bin/env bash
# The engines' one-worker speed of the Windows build under Wine next to the native build, in one
# session on this machine: native and Windows runs of equity_speed take turns for a few rounds,
# and each case's figures are the medians over the rounds. Run by hand (never a test):
#   bench/compare_windows.sh [seconds per run, default 1] [rounds, default 3] [--case=TEXT]
# Needs build/native/bin/equity_speed and build/win/bin/equity_speed.exe (scripts/build native win).
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/env.sh"

seconds="${1:-1}"
rounds="${2:-3}"
extra=("${@:3}")
native="$OV_NATIVE/bin/equity_speed"
windows="$OV_WIN/bin/equity_speed.exe"
for p in "$native" "$windows"; do
  [ -x "$p" ] || [ -f "$p" ] || { echo "missing $p (scripts/build native win)" >&2; exit 1; }
done

out="$(mktemp -d)"
trap "rm -rf \"$out\"" EXIT
ov_warm_wine || true  # a server already running is fine
for r in $(seq 1 "$rounds"); do
  ov_log "round $r of $rounds"
  "$native" "$seconds" 1 "${extra[@]}" >"$out/native.$r"
  (cd "$OV_WIN/bin" && wine equity_speed.exe "$seconds" 1 "${extra[@]}" </dev/null 2>/dev/null | tr -d '\r') >"$out/windows.$r"
done

# Lines "case, game  rate" (the case names hold one comma); medians per case and build.
awk -v rounds="$rounds" '
  function median(list,   n, a, i, j, t) {
    n = split(list, a, " ")
    for (i = 1; i <= n; ++i) for (j = i + 1; j <= n; ++j) if (a[j] + 0 < a[i] + 0) { t = a[i]; a[i] = a[j]; a[j] = t }
    return a[int((n + 1) / 2)]
  }
  FNR == 1 { build = FILENAME ~ /native/ ? "n" : "w"; next }
  {
    key = $1 " " $2 " " $3 " " $4
    if (!(key in seen)) { seen[key] = 1; order[++count] = key }
    rates[build, key] = rates[build, key] " " $5
  }
  END {
    printf "%-30s %14s %14s %8s\n", "case", "native/s", "wine/s", "wine/nat"
    for (i = 1; i <= count; ++i) {
      k = order[i]; a = median(rates["n", k]); b = median(rates["w", k])
      printf "%-30s %14.0f %14.0f %8.3f\n", k, a, b, (a > 0 ? b / a : 0)
    }
  }' "$out"/native.* "$out"/windows.*
