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
# The first start of a new prefix builds it; let only one process do that.
(
    flock 9
    [ -f "$prefix/system.reg" ] || wineboot -i >/dev/null 2>&1 || true
) 9>"$prefix.lock"
exec wine "$@"
