#!/usr/bin/env bash
# Builds the program and starts it on the sample master list: the program looks
# for its master file "MASTER.DAT" in the folder it is started in, so it starts
# in data/. Its settings, specialty and help files live beside the executable.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"

cd "$ROOT"
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
cmake --build build/run -j "$JOBS"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "There is no display here (neither DISPLAY nor WAYLAND_DISPLAY is set), so the windows cannot open."
    # Without a display, show the program's main job on the terminal instead.
    if [ -f "$ROOT/scripts/cli-demo.sh" ]; then
        echo "Showing it on the terminal with quillmark-cli instead:"
        echo
        exec bash "$ROOT/scripts/cli-demo.sh" "$ROOT/build/run"
    fi
    exit 1
fi

cd "$ROOT/data"
exec "$ROOT/build/run/ui/quillmark" "$@"
