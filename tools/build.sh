#!/usr/bin/env bash
# Configures and builds one target: build.sh i686|x86_64 [extra cmake args]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
arch=${1:?i686 or x86_64}
shift
cmake -S "$root" -B "$root/build/$arch" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$arch.cmake" "$@" >/dev/null
cmake --build "$root/build/$arch" -j"$(nproc)"
