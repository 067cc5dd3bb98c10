#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
set -u
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# Japanese ANSI code page, as our users have; falls back quietly where the locale is missing.
if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
fi
mkdir -p "$prefix"
# The first start of a new prefix builds it; let only one process do that.
(
    flock 9
    [ -f "$prefix/system.reg" ] || wineboot -i </dev/null >/dev/null 2>&1 || true
) 9>"$prefix.lock"
# Wine's service processes, started with the first program of a session, inherit that
# program's standard handles and outlive it: a test runner reading its output would wait for
# them too. So the program writes to a file, which is passed on when the program has ended.
output=$(mktemp)
wine "$@" </dev/null >"$output" 2>&1
status=$?
cat "$output"
rm -f "$output"
exit $status
