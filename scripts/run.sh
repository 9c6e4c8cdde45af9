#!/bin/sh
# Installs the packages, builds Kazari and starts it (extra arguments go to Kazari).
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DKAZARI_TESTS=OFF
cmake --build build-release
exec ./build-release/kazari "$@"
