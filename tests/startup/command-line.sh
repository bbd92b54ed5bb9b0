#!/usr/bin/env bash
# The built program's answers to its command line, before any window opens
# (no display is set): --version, --help, and anything else refused.
#   command-line.sh PROGRAM VERSION
set -uo pipefail
program=$1 version=$2
failures=0 checks=0
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT
check() { # name, expected status, expected stdout (pattern), expected stderr (pattern), args...
    local name=$1 status=$2 out=$3 err=$4
    shift 4
    local got_out got_err got_status
    checks=$((checks + 1))
    got_out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" "$@" 2>"$errors")
    got_status=$?
    got_err=$(<"$errors")
    if [[ $got_status != "$status" || ! $got_out =~ $out || ! $got_err =~ $err ]]; then
        echo "FAIL $name: status $got_status, stdout [$got_out], stderr [$got_err]"
        failures=$((failures + 1))
    else
        echo "ok   $name"
    fi
}
check "--version" 0 "^Tellumo $version\$" '^$' --version
check "--help" 0 '^Usage: tellumo .*QT_SCALE_FACTOR' '^$' --help
for option in -reverse -style=fusion -stylesheet=x.qss --fullscreen file.txt; do
    check "$option refused" 2 '^$' "^tellumo: unrecognised argument '$option' \\(see tellumo --help\\)\$" "$option"
done
check "--version with more" 2 '^$' "unrecognised argument 'x'" --version x
echo "$((checks - failures)) passed, $failures failed"
((failures == 0))
