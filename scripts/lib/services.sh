# Starts what the player and its tests need when it is not running already: an X server (Xvfb)
# and a PulseAudio daemon whose default sink is a null sink named zelkor_null. Everything this
# starts is stopped by stop_services (call it from an EXIT trap).

started_pids=()

start_xvfb() {
    if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
        return
    fi
    local n
    for n in $(seq 90 120); do
        [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
    done
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    started_pids+=($!)
    export DISPLAY=":$n"
    for _ in $(seq 50); do
        xdpyinfo >/dev/null 2>&1 && return
        sleep 0.1
    done
    echo "Xvfb did not start on $DISPLAY" >&2
    return 1
}

start_pulseaudio() {
    if ! pactl info >/dev/null 2>&1; then
        pulseaudio --daemonize=yes --exit-idle-time=-1 -n \
            --load="module-null-sink sink_name=zelkor_null" \
            --load=module-native-protocol-unix >/dev/null 2>&1 || true
        for _ in $(seq 50); do
            pactl info >/dev/null 2>&1 && break
            sleep 0.1
        done
        started_pulse=1
    fi
    if ! pactl list short sinks 2>/dev/null | grep -q zelkor_null; then
        pactl load-module module-null-sink sink_name=zelkor_null >/dev/null
    fi
    pactl set-default-sink zelkor_null
}

# A private session bus for the run: the window tests then show no player in the media
# controls of the desktop the tests are started from. The MPRIS tests start buses of their own.
start_session_bus() {
    local address
    address=$(dbus-daemon --session --fork --print-address=1 --print-pid=3 \
        --address="unix:tmpdir=${TMPDIR:-/tmp}" 3>"${TMPDIR:-/tmp}/zelkor-bus-$$.pid") || return 1
    started_pids+=($(cat "${TMPDIR:-/tmp}/zelkor-bus-$$.pid"))
    rm -f "${TMPDIR:-/tmp}/zelkor-bus-$$.pid"
    export DBUS_SESSION_BUS_ADDRESS="$address"
}

stop_services() {
    local pid
    for pid in "${started_pids[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    if [ -n "${started_pulse:-}" ]; then
        pulseaudio --kill 2>/dev/null || true
    fi
}
