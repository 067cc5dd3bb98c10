# Sourced: gives the caller a display, starting Xvfb when there is none. Message boxes need one.
if [ -z "${DISPLAY:-}" ]; then
    xvfb_number_file=$(mktemp)
    # Xvfb picks a free display itself and writes its number once it is ready.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_number_file" \
        >/dev/null 2>&1 &
    xvfb_pid=$!
    trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$xvfb_number_file"' EXIT
    for _ in $(seq 100); do
        [ -s "$xvfb_number_file" ] && break
        sleep 0.1
    done
    export DISPLAY=":$(tr -d '[:space:]' <"$xvfb_number_file")"
fi
