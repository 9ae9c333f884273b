#!/usr/bin/env bash
# Runs every test labelled "offscreen" (the windows and the Qt layer on
# Qt's offscreen platform) under valgrind's memcheck. Any error, or memory
# definitely lost, fails the run; tests/valgrind.supp holds what is the
# system libraries' own, each with its reason.
#
#   tests/valgrind_offscreen.sh BUILD_FOLDER
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)

commands=$(ctest --test-dir "$build" -L offscreen --show-only=json-v1 | /usr/bin/python3 -c '
import json, shlex, sys
for test in json.load(sys.stdin)["tests"]:
    print(test["name"], shlex.join(test["command"]))')
[ -n "$commands" ] || { echo "no offscreen tests found in $build" >&2; exit 1; }

# Qt's regular expressions run PCRE2's JIT-compiled code, which memcheck
# cannot follow: it reports the JIT's deliberate reads as uninitialised
# jumps at addresses with no symbol. The interpreter does the same matching.
export QT_ENABLE_REGEXP_JIT=0

failed=0
passed=0
while read -r name command; do
    log=$build/valgrind-$name.log
    if QT_QPA_PLATFORM=offscreen valgrind --tool=memcheck --error-exitcode=99 --leak-check=full \
        --errors-for-leak-kinds=definite --show-leak-kinds=definite --num-callers=40 \
        --suppressions="$here/valgrind.supp" --log-file="$log" $command >/dev/null 2>&1; then
        echo "memcheck clean: $name"
        passed=$((passed + 1))
    else
        echo "memcheck FAILED: $name (see $log)"
        grep -E 'ERROR SUMMARY|definitely lost' "$log" || true
        failed=$((failed + 1))
    fi
done <<<"$commands"
echo "memcheck: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
