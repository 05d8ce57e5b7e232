#!/bin/sh
# Fails, naming each file, when a tracked C or C++ source differs from what
# clang-format makes of it with the project's .clang-format.
set -eu
HERE=$(cd "$(dirname "$0")/.." && pwd)
cd "$HERE"
status=0
for f in $(git ls-files '*.c' '*.cpp' '*.h'); do
  if ! clang-format --style=file "$f" | cmp -s - "$f"; then
    echo "not formatted: $f (run clang-format -i $f)" >&2
    status=1
  fi
done
exit $status
