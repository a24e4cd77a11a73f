#!/usr/bin/env bash
# Counts the lines of the tests (every .cpp and .h under tests/) against the lines of the
# code (every other .cpp and .h in the repository, build trees and .git left out) and prints
# their ratio.
set -euo pipefail
cd "$(dirname "$0")/.."

count() { find "$@" -type f \( -name '*.cpp' -o -name '*.h' \) -print0 | xargs -0 cat | wc -l; }

tests=$(count tests)
code=$(count . -path ./tests -prune -o -path ./.git -prune -o -path './build*' -prune -o)
echo "tests: ${tests} lines"
echo "code:  ${code} lines"
awk -v t="$tests" -v c="$code" 'BEGIN { printf "ratio: %.1f %%\n", 100 * t / c }'
