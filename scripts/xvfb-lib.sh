# shellcheck shell=bash
# Sourced: starts a private X server when asked, stopped when the shell exits.
# start_private_xvfb [WIDTHxHEIGHTxDEPTH] - the screen, 1280x1024x24 unless given
start_private_xvfb() {
  local n log screen=${1:-1280x1024x24}
  log=$(mktemp)
  for n in $(seq 91 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 "$screen" -nolisten tcp >"$log" 2>&1 &
    SORVEL_XVFB_PID=$!
    for _ in $(seq 1 100); do
      [ -e "/tmp/.X11-unix/X${n}" ] || ! kill -0 "$SORVEL_XVFB_PID" 2>/dev/null && break
      sleep 0.1
    done
    if [ -e "/tmp/.X11-unix/X${n}" ] && kill -0 "$SORVEL_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$n"
      trap 'kill $SORVEL_XVFB_PID 2>/dev/null || true' EXIT
      rm -f "$log"
      return 0
    fi
    kill "$SORVEL_XVFB_PID" 2>/dev/null || true
    wait "$SORVEL_XVFB_PID" 2>/dev/null || true
    # Another server has the number: one that started after the check, or
    # one of another file system (a container or chroot) whose socket in the
    # abstract namespace is all that shows. The next number, then. Any other
    # failure is the X server's own: say it.
    grep -qE "already (active|running)" "$log" && continue
    {
      echo "$(basename "$0"): the virtual display :$n did not start ('Xvfb :$n'). Its output:"
      sed 's/^/    /' "$log"
    } >&2
    rm -f "$log"
    sorvel_reported=1
    return 1
  done
  rm -f "$log"
  echo "$(basename "$0"): no free X display number from :91 to :140" >&2
  sorvel_reported=1
  return 1
}
