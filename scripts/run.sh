#!/usr/bin/env bash
# Builds the program and starts it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}"

cd "$ROOT"
cmake -S . -B build/run -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
cmake --build build/run -j "$JOBS"

if [ -x build/run/ui/quillmark ]; then
    exec build/run/ui/quillmark "$@"
fi
echo "Built the core libraries in build/run. The windows are not part of this version yet."
