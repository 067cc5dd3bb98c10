# Sourced: gives the caller a display, starting Xvfb when there is none. Message boxes need one.
if [ -z "${DISPLAY:-}" ]; then
    for number in $(seq 90 110); do
        [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
    done
    Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true' EXIT
    export DISPLAY=":$number"
    for _ in $(seq 50); do
        [ -e "/tmp/.X11-unix/X$number" ] && break
        sleep 0.1
    done
fi
