#!/usr/bin/env bash
# Fails when a tracked C++ source is not laid out as .clang-format says, naming each file.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$root"
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files -- '*.cpp' '*.h')
else
    mapfile -t files < <(find src tests bench -name '*.cpp' -o -name '*.h' | sort)
fi
bad=()
for f in "${files[@]}"; do
    [[ -f "$f" ]] || continue
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
done
if ((${#bad[@]})); then
    printf 'not formatted (run clang-format -i): %s\n' "${bad[@]}" >&2
    exit 1
fi
echo "${#files[@]} sources formatted"
