#!/usr/bin/env bash
# Checks a built program's headers and resources:
#   pe_check.sh TOOLCHAIN_PREFIX PROGRAM EXPECTED_FORMAT crt|nocrt
# The format names the machine (pei-i386, pei-x86-64). The program must be a GUI-subsystem,
# Unicode program (wide imports only) carrying a manifest (asInvoker, longPathAware, Common
# Controls 6) and version information; without the C runtime it imports from system DLLs
# only. Its size is printed against the goal, not asserted.
set -u
prefix=$1 program=$2 format=$3 runtime=$4
headers=$("$prefix-objdump" -x "$program") || exit 1
resources=$(mktemp)
trap 'rm -f "$resources"' EXIT
"$prefix-objcopy" -O binary -j .rsrc "$program" "$resources"
fail=0
check() { # description, condition command...
    local what=$1
    shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fail=1; fi
}
has() { grep -qE "$1" <<<"$headers"; }
lacks() { ! grep -qE "$1" <<<"$headers"; }
in_resources() { grep -qaP "$1" "$resources"; }

check "file format $format" has "file format $format\$"
check "subsystem Windows GUI" has '^Subsystem[[:space:]]+0+2[[:space:]]+\(Windows GUI\)'
check "wide command line imported" has '[[:space:]]GetCommandLineW$'
check "no ANSI variants imported" lacks '[[:space:]](GetCommandLineA|MessageBoxA|ShellExecuteA|CommandLineToArgvA)$'
if [ "$runtime" = nocrt ]; then
    dlls=$(grep -E 'DLL Name:' <<<"$headers" | awk '{print tolower($3)}' | sort -u | tr '\n' ' ')
    echo "imports from: $dlls"
    check "imports only from kernel32, user32, shell32, ole32" \
        test -z "$(tr ' ' '\n' <<<"$dlls" | grep -vE '^(kernel32|user32|shell32|ole32)\.dll$|^$')"
fi
check "manifest: asInvoker" in_resources 'requestedExecutionLevel level="asInvoker"'
check "manifest: longPathAware" in_resources '<longPathAware[^>]*>true<'
check "manifest: Common Controls 6" in_resources 'Microsoft\.Windows\.Common-Controls" version="6'
check "version information" in_resources 'F\x00i\x00l\x00e\x00V\x00e\x00r\x00s\x00i\x00o\x00n\x00'
size=$(stat -c %s "$program")
goal=$([ "$format" = pei-i386 ] && echo 6144 || echo 8192)
printf 'size: %s bytes (%s KiB); goal: at most %s bytes\n' "$size" \
    "$(awk "BEGIN{printf \"%.1f\", $size/1024}")" "$goal"
exit $fail
