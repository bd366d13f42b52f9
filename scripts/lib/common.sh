# Shared by scripts/run and scripts/test: packages, the build, and a private sound server.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
BUILD="$ROOT/build"

say() { printf '\033[1m==> %s\033[0m\n' "$*" >&2; }

# Debian packages the project builds, runs and tests with.
PACKAGES=(
    build-essential cmake pkg-config git clang-format
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libvlc-dev vlc-plugin-base
    pulseaudio pulseaudio-utils flac sox
    xvfb xauth openbox xdotool x11-utils
)

# Installs whatever of PACKAGES is missing (apt-get, as root or through sudo).
ensure_packages() {
    local missing=() p
    for p in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    say "Installing ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo[@]}" apt-get update -qq
    "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build <build dir> [cmake options...]
configure_and_build() {
    local dir=$1
    shift
    cmake -S "$ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
    cmake --build "$dir" --parallel "$(nproc)"
}

# Starts a PulseAudio daemon with a null sink in a private runtime folder and exports
# PULSE_SERVER for it, so playback runs in real time without a sound card and never touches
# the user's own sound. stop_private_pulse ends it.
start_private_pulse() {
    PULSE_DIR=$(mktemp -d "${TMPDIR:-/tmp}/sonexa-pulse.XXXXXX")
    mkdir -p "$PULSE_DIR/runtime" "$PULSE_DIR/home"
    chmod 700 "$PULSE_DIR/runtime"
    local socket="$PULSE_DIR/runtime/native"
    HOME="$PULSE_DIR/home" XDG_RUNTIME_DIR="$PULSE_DIR/runtime" XDG_CONFIG_HOME="$PULSE_DIR/home" \
        pulseaudio --daemonize=yes -n --exit-idle-time=-1 --disallow-exit \
        --use-pid-file=yes --log-target=file:"$PULSE_DIR/pulse.log" \
        --load="module-null-sink sink_name=sonexa_null" \
        --load="module-native-protocol-unix auth-anonymous=1 socket=$socket" \
        2>>"$PULSE_DIR/pulse.log" || {
        say "PulseAudio did not start (see $PULSE_DIR/pulse.log); audio will not run in real time"
        return 0
    }
    local i
    for i in $(seq 50); do
        [ -S "$socket" ] && break
        sleep 0.1
    done
    export PULSE_SERVER="unix:$socket"
}

stop_private_pulse() {
    [ -n "${PULSE_DIR:-}" ] || return 0
    if [ -n "${PULSE_SERVER:-}" ]; then
        HOME="$PULSE_DIR/home" XDG_RUNTIME_DIR="$PULSE_DIR/runtime" pulseaudio --kill 2>/dev/null ||
            true
    fi
    rm -rf "$PULSE_DIR"
    unset PULSE_DIR PULSE_SERVER
}
