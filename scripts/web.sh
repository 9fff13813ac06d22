#!/usr/bin/env bash
# Velmoro in the browser: the engine as WebAssembly under a static page.
#   web.sh build OUT          writes the static site into the folder OUT
#   web.sh serve [PORT]       builds it and serves it on http://127.0.0.1:PORT
#                             (8000 unless given) until stopped
#   web.sh test [VELMORO_CLI] builds it and runs every browser test: the
#                             engine's tests under node, the ES module and the
#                             page (headless Chromium) against VELMORO_CLI, a
#                             velmoro-cli built natively (build/ci/cli/velmoro-cli
#                             unless given)
# Each installs what it needs and is missing, like scripts/setup.sh.
set -euo pipefail
cd "$(dirname "$0")/.."

# emcc's own scripts need the node modules that Debian keeps here.
export NODE_PATH=/usr/share/nodejs
site=build/web/web/site

build_site() {
  cmake --preset web "$@" >/dev/null
  cmake --build --preset web -j 2 --target velmoro_core
}

case "${1:-}" in
  build)
    [ $# -eq 2 ] || { echo "usage: $0 build OUT" >&2; exit 2; }
    scripts/setup.sh web
    build_site
    mkdir -p "$2"
    cp -r "$site"/. "$2"/
    echo "The site is in $2: serve that folder over HTTP (a browser will not load the engine from file://)."
    ;;
  serve)
    scripts/setup.sh web-test
    out=build/web-site
    "$0" build "$out"
    exec node web/serve.mjs "$out" "${2:-8000}"
    ;;
  test)
    cli=$(realpath "${2:-build/ci/cli/velmoro-cli}")
    [ -x "$cli" ] || { echo "No velmoro-cli at $cli: build it first (cmake --preset ci)." >&2; exit 2; }
    scripts/setup.sh web-test
    cmake --preset web -DVELMORO_NATIVE_CLI="$cli" >/dev/null
    cmake --build --preset web -j 2
    ctest --preset web
    ;;
  *)
    echo "usage: $0 build OUT | serve [PORT] | test [VELMORO_CLI]" >&2
    exit 2
    ;;
esac
