#!/usr/bin/env bash
# Builds Velmoro and opens its window. Without a display it says so and runs
# the command-line front on the window's two sample sentences instead.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh run
cmake --preset release >/dev/null
cmake --build --preset release -j "$(nproc)" --target velmoro velmoro-cli

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec build/release/ui/velmoro
fi
echo "No display is available (neither DISPLAY nor WAYLAND_DISPLAY is set)," \
     "so here is the command-line front on the window's sample sentences:"
exec build/release/cli/velmoro-cli "$(sed -n 1p ui/sample_texts.txt)" \
                                    "$(sed -n 2p ui/sample_texts.txt)"
