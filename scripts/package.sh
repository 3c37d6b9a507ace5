#!/usr/bin/env bash
# Builds the Debian package of the program (Release build, installed under
# /usr) into build/package/, installing the Debian packages it needs when they
# are missing. Install it with: sudo apt install ./build/package/quillmark_*.deb
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

ensure_packages "${BUILD_PACKAGES[@]}" dpkg-dev

cd "$ROOT"
cmake -S . -B build/package -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILL_BUILD_TESTS=OFF -DQUILL_BUILD_BENCH=OFF
cmake --build build/package -j "$JOBS"
cpack --config build/package/CPackConfig.cmake -B build/package
