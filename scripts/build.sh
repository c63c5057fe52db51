#!/usr/bin/env bash
# Builds the Windows tree (the product and its tests) and, with --native, the
# native tree (pure modules under ASan/UBSan, with the fuzzers).
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
cd "$root"
# A compiler cache, when there is one, makes rebuilds of other checkouts cheap.
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw64.cmake \
  -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" >/dev/null
cmake --build build/windows
if [ "${1:-}" = "--native" ]; then
  CC=clang CXX=clang++ cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=Debug \
    -DBM_SANITIZE=ON -DBM_FUZZ=ON "${launcher[@]}" >/dev/null
  cmake --build build/native
fi
