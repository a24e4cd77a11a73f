#!/usr/bin/env bash
# Sets up the machine, builds the release configuration and runs vellum on its built-in sample.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target vellum_cli
build/release/apps/vellum/vellum demo "$@"
