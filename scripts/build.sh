#!/usr/bin/env bash
# Builds the Windows tree (the product and its tests) and, with --native, the
# native tree (pure modules under ASan/UBSan, with the fuzzers).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
  -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/windows
if [ "${1:-}" = "--native" ]; then
  CC=clang CXX=clang++ cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DBM_SANITIZE=ON -DBM_FUZZ=ON >/dev/null
  cmake --build build/native
fi
