#!/usr/bin/env bash
# Quick start: installs what is missing, builds the converter (Release) into build/ and runs it.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCONVERTER_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target savefile-converter
exec build/savefile-converter
