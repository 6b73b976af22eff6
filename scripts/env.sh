# Shared settings of the project's scripts; sourced, not run.
OV_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
OV_NATIVE="$OV_ROOT/build/native"
OV_ASAN="$OV_ROOT/build/asan"
OV_WIN="$OV_ROOT/build/win"
OV_JOBS="${OV_JOBS:-$(nproc 2>/dev/null || echo 2)}"

# A prefix of the project's own; never the user's default one.
export WINEPREFIX="${OV_WINEPREFIX:-$OV_ROOT/build/wineprefix}"
export WINEARCH=win64
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono/Gecko install prompts; WinHelp fails at once instead of showing a box.
export WINEDLLOVERRIDES="mscoree,mshtml=;winhlp32.exe=d"

ov_log() { printf '\033[1m== %s\033[0m\n' "$*" >&2; }

# Starts a private Xvfb when no display is set; ov_stop_display undoes it. A number another
# server takes at the same moment makes this Xvfb exit: the next free number is tried then.
OV_XVFB_PID=""
ov_start_display() {
  if [ -n "${DISPLAY:-}" ]; then return 0; fi
  local n i
  for n in $(seq 90 120); do
    if [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; then continue; fi
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    OV_XVFB_PID=$!
    for i in $(seq 1 100); do
      if [ -e "/tmp/.X11-unix/X$n" ] && kill -0 "$OV_XVFB_PID" 2>/dev/null; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$OV_XVFB_PID" 2>/dev/null || break
      sleep 0.1
    done
    kill "$OV_XVFB_PID" 2>/dev/null || true
    wait "$OV_XVFB_PID" 2>/dev/null || true
    OV_XVFB_PID=""
  done
  echo "Xvfb did not start on any display from :90 to :120" >&2
  return 1
}
ov_stop_display() {
  if [ -n "$OV_XVFB_PID" ]; then
    kill "$OV_XVFB_PID" 2>/dev/null || true
    wait "$OV_XVFB_PID" 2>/dev/null || true
    OV_XVFB_PID=""
  fi
}

# A persistent, warm wine server with detached output: without it CTest waits on every
# cold start or hangs on the server's open pipe.
ov_warm_wine() {
  wineserver -p </dev/null >/dev/null 2>&1
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
ov_stop_wine() {
  wineserver -k </dev/null >/dev/null 2>&1 || true
}
