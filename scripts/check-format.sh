#!/usr/bin/env bash
# Fails when a C++ file of the project does not follow the house .clang-format
# (Debian's clang-format); prints the files and what would change.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
mapfile -t listed < <(git ls-files -co --exclude-standard -- '*.cpp' '*.h' 2>/dev/null || find src tests bench -name '*.cpp' -o -name '*.h')
files=()
for f in "${listed[@]}"; do [ -f "$f" ] && files+=("$f"); done
[ ${#files[@]} -gt 0 ] || exit 0
if ! clang-format --dry-run -Werror "${files[@]}"; then
    echo "These files do not follow .clang-format; run: clang-format -i <file>" >&2
    exit 1
fi
