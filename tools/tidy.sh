#!/usr/bin/env bash
# Runs clang-tidy (the checks of .clang-tidy, warnings as errors) over the program's sources, using the compile
# commands of a configured and built preset (default dev). The Windows backends are checked by the cross build only.
set -euo pipefail
cd "$(dirname "$0")/.."
PRESET="${1:-dev}"
if [ ! -f "build/$PRESET/compile_commands.json" ]; then
    echo "build/$PRESET is not configured: run tools/test.sh $PRESET first" >&2
    exit 2
fi
# The sources this build compiles: the Windows-only ones are checked by the cross build.
git ls-files 'src/*.cpp' | while read -r file; do
    if grep -q "\"file\": \"$PWD/$file\"" "build/$PRESET/compile_commands.json"; then echo "$file"; fi
done | xargs -P "$(nproc)" -n 4 clang-tidy -p "build/$PRESET" --quiet
echo "clang-tidy: no findings"
