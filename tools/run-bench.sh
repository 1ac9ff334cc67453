#!/usr/bin/env bash
# Builds the converter, the sample-save tool and the benchmark (Release) into build-bench/ and
# prints the figures: per-file engine time against zlib alone, raw throughput, peak memory, and
# a folder of 200 mixed saves converted by the real executable. Scratch files go to
# build-bench/bench-data.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DCONVERTER_TESTS=OFF -DCONVERTER_BENCH=ON >/dev/null
cmake --build build-bench -j"$(nproc)" --target savefile-converter make-sample-saves converter-bench
exec build-bench/converter-bench --work build-bench/bench-data --converter build-bench/savefile-converter \
  --samples build-bench/make-sample-saves
