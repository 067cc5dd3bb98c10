#!/usr/bin/env bash
# Checks a built program's PE headers: pe_check.sh TOOLCHAIN_PREFIX PROGRAM EXPECTED_FORMAT
# The format names the machine (pei-i386, pei-x86-64); the subsystem must be the GUI one and
# the entry point the Unicode one (wWinMain's start-up).
set -u
prefix=$1 program=$2 format=$3
headers=$("$prefix-objdump" -x "$program") || exit 1
fail=0
check() {
    if grep -qE "$2" <<<"$headers"; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        fail=1
    fi
}
check "file format $format" "file format $format\$"
check "subsystem Windows GUI" '^Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)'
check "Unicode entry (wWinMain)" '[[:space:]]_?wWinMain(@16)?$'
check "wide command line imported" '[[:space:]]GetCommandLineW$'
printf 'size: %s bytes\n' "$(stat -c %s "$program")"
exit $fail
