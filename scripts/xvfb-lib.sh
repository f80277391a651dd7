# Sourced: starts a private X server when asked, stopped when the shell exits.
start_private_xvfb() {
  local n
  for n in $(seq 91 140); do
    [ -e "/tmp/.X${n}-lock" ] || [ -e "/tmp/.X11-unix/X${n}" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    SORVEL_XVFB_PID=$!
    for _ in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X${n}" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    trap 'kill $SORVEL_XVFB_PID 2>/dev/null || true' EXIT
    return 0
  done
  echo "no free X display number" >&2
  return 1
}
