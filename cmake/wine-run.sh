#!/usr/bin/env bash
# Runs a Windows program under Wine in a private prefix: wine-run.sh PREFIX PROGRAM [ARGS...]
set -e
prefix=$1
shift
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
# Japanese ANSI code page, as our users have; falls back quietly where the locale is missing.
if locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
    export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
fi
mkdir -p "$prefix"
# The first start of a new prefix builds it; let only one process do that. The server and the
# prefix's service processes are started here, detached from our output: started by the test
# itself they would inherit its output and keep a test runner waiting after the test ended.
(
    flock 9
    [ -f "$prefix/system.reg" ] || wineboot -i </dev/null >/dev/null 2>&1 || true
    if wineserver -p30 </dev/null >/dev/null 2>&1; then
        wineboot </dev/null >/dev/null 2>&1 || true
    fi
) 9>"$prefix.lock"
exec wine "$@"
