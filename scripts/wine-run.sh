#!/usr/bin/env bash
# Runs one Windows program under Wine with its output sent to a file, then prints it. Wine hands
# the pipes it was started with to the processes it starts, which may keep them open after the
# program has ended; a caller waiting on such a pipe would wait for them too.
set -u
output=$(mktemp /tmp/talvorne-run.XXXXXX)
wine "$@" >"$output" 2>&1 </dev/null
status=$?
cat "$output"
rm -f "$output"
exit "$status"
