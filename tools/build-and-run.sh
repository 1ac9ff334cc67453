#!/usr/bin/env bash
# Quick start: installs what is missing, builds the converter and the sample-save tool (Release)
# into build/, writes a fresh folder of sample saves to build/demo/games and runs the converter
# from build/demo/work, where it finds them as ../games, in the real interactive dialogue.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCONVERTER_TESTS=OFF >/dev/null
cmake --build build -j"$(nproc)" --target savefile-converter make-sample-saves

rm -rf build/demo
mkdir -p build/demo/work
echo "Writing sample saves to build/demo/games ..."
build/make-sample-saves build/demo/games >/dev/null
echo "Running build/savefile-converter in build/demo/work (it converts the saves in ../games)."
cd build/demo/work
exec ../../savefile-converter
