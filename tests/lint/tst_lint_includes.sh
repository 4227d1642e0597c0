#!/usr/bin/env bash
# scripts/lint --includes-only on the repository and on planted trees.
set -uo pipefail
source_dir=$1
lint="$source_dir/scripts/lint"
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

expect() { # expect STATUS TEXT DIR: the rule's exit status and a line of its output
    local out status
    out=$("$lint" --includes-only "$3" 2>&1)
    status=$?
    if [ "$status" -ne "$1" ] || ! grep -qF -- "$2" <<<"$out"; then
        echo "FAIL: $3: status $status (expected $1), output:"
        echo "$out"
        failures=$((failures + 1))
    fi
}

expect 0 "lint: includes as they should be" "$source_dir"

mkdir -p "$tree/src/batch/run" "$tree/src/klasa" "$tree/src/druk"
printf '#include "batch/Page.h"\n// #include "druk/Run.h" only in a comment\n' >"$tree/src/batch/run/A.cpp"
printf '#include "druk/Options.h"\n' >"$tree/src/druk/Run.cpp" # the command line itself may
expect 0 "lint: includes as they should be" "$tree"

printf '#pragma once\n  #  include <druk/Run.h>\n' >"$tree/src/batch/run/B.h"
expect 1 "src/batch/run/B.h:2:" "$tree"

rm "$tree/src/batch/run/B.h"
printf '#include "druk/ClassPages.h"\n' >"$tree/src/klasa/W.cpp"
expect 1 "lint: 1 includes of druk/ in src/batch or src/klasa" "$tree"

[ "$failures" -eq 0 ] && echo "PASS: tst_lint_includes"
exit "$failures"
