#!/usr/bin/env bash
# Prints the code lines of src/, the test lines of tests/ and their ratio.
# A line counts when it is not blank and not only a comment; the files are the
# tracked .cpp, .h, .sh and .py files. With --check LIMIT it fails when the
# ratio is above LIMIT, which keeps the suite the size that was asked for.
set -euo pipefail
cd "$(dirname "$0")/.."

count() {
  git ls-files -- "$1" | grep -E '\.(cpp|h|sh|py)$' | while read -r file; do
    case "$file" in
      *.sh | *.py) grep -cvE '^[[:space:]]*(#.*)?$' "$file" || true ;;
      *) grep -cvE '^[[:space:]]*(//.*)?$' "$file" || true ;;
    esac
  done | awk '{ total += $1 } END { print total + 0 }'
}

code=$(count src)
tests=$(count tests)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.3f", (c ? t / c : 0) }')
echo "code lines: $code"
echo "test lines: $tests"
echo "ratio: $ratio"

if [ "${1:-}" = "--check" ]; then
  limit=${2:?"--check needs a limit"}
  if awk -v r="$ratio" -v l="$limit" 'BEGIN { exit !(r > l) }'; then
    echo "the tests are more than $limit of the code" >&2
    exit 1
  fi
fi
