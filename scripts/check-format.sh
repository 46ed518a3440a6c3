#!/usr/bin/env bash
# Fails when a C++ file of the project differs from what clang-format makes of it.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
cd "$top"
bad=0
while IFS= read -r f; do
    if ! clang-format --dry-run --Werror "$f" >/dev/null 2>&1; then
        echo "not formatted: $f"
        bad=1
    fi
done < <(git ls-files '*.cpp' '*.h')
if [ $bad -ne 0 ]; then
    echo "Run clang-format -i on the files above."
    exit 1
fi
echo "format: all files formatted"
