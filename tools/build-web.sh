#!/usr/bin/env bash
# Builds the browser edition: the converter compiled to WebAssembly with Debian's emscripten
# (zlib and libdeflate built from Debian's source packages into build-web/deps), and the page of
# web/page, into a static site in build-web/site/ (index.html at its root). The zip library comes
# from web/node_modules (npm ci, versions pinned in web/package-lock.json). The same sources give
# the same site, byte for byte.
set -euo pipefail
cd "$(dirname "$0")/.."

tools/ensure-packages.sh emscripten dpkg-dev
# Debian's Node.js modules, for emcc's JavaScript optimiser under any Node.js.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
# The machine's Node.js and npm, or else Debian's.
command -v node >/dev/null || tools/ensure-packages.sh nodejs
command -v npm >/dev/null || tools/ensure-packages.sh npm

tools/build-deps.sh web build-web/deps
emcmake cmake -S . -B build-web/program -DCMAKE_BUILD_TYPE=Release -DCONVERTER_WERROR=ON \
  -DCONVERTER_TESTS=OFF -DCONVERTER_TOOLS=OFF \
  -DCMAKE_PREFIX_PATH="$PWD/build-web/deps" -DCMAKE_FIND_ROOT_PATH="$PWD/build-web/deps" >/dev/null
cmake --build build-web/program -j"$(nproc)" --target savefile-converter

# The page's npm packages, exactly as locked.
(cd web && npm ci --no-audit --no-fund --loglevel=error)

site=build-web/site
rm -rf "$site"
mkdir -p "$site"
cp web/page/index.html web/page/style.css web/page/page.js web/page/worker.js "$site/"
cp build-web/program/savefile-converter.js build-web/program/savefile-converter.wasm "$site/"
cp web/node_modules/fflate/umd/index.js "$site/fflate.js"
cp web/node_modules/fflate/LICENSE "$site/fflate-LICENSE.txt"
if grep -rlF "$PWD" "$site" >/dev/null; then
  echo "build-web/site holds the build's path: $(grep -rlF "$PWD" "$site" | paste -sd' ')" >&2
  exit 1
fi
echo "Built the browser edition into $site: $(cd "$site" && ls | paste -sd' ')"
