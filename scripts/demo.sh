#!/usr/bin/env bash
# Sets up the machine, builds the release configuration and runs vellum on its built-in sample;
# with a display, the desktop viewer then opens the sample image and its overlay.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vellum_cli vellum_viewer
build/release/apps/vellum/vellum demo "$@"

# The folder the demo wrote to: ./vellum-demo unless -o DIR was given.
out=vellum-demo
args=("$@")
for ((i = 0; i < ${#args[@]}; i++)); do
    if [[ ${args[i]} == -o && $((i + 1)) -lt ${#args[@]} ]]; then
        out=${args[i + 1]}
    fi
done
if [[ -n ${DISPLAY:-} || -n ${WAYLAND_DISPLAY:-} ]]; then
    build/release/apps/viewer/vellum-viewer "$out/sample.png" "$out/demo.vla"
fi
