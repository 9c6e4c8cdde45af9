#!/bin/sh
# Installs the packages, builds everything with AddressSanitizer and
# UndefinedBehaviorSanitizer (warnings are errors) and runs every test headless.
set -eu
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
if command -v clang-format >/dev/null 2>&1; then
  find src tests tools bench -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run -Werror
fi
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKAZARI_SANITIZE=ON -DKAZARI_WERROR=ON \
  -DKAZARI_BENCH=ON
cmake --build build-test
cd build-test
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
