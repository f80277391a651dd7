#!/usr/bin/env bash
# Checks a Sorvel series on Linux: runs SvlCheck.exe under Wine on a launcher
# folder (the folder of SorvelL.exe and SVLindex.txt) and prints its report.
#
#   scripts/check-series.sh FOLDER [--lang ja|en] [--json] [--cd]
#
# The exit code is SvlCheck's: 0 no errors, 1 errors, 2 not readable (and 2
# when SvlCheck.exe cannot be built or Wine cannot start). The report's
# language follows LC_ALL, LC_MESSAGES or LANG unless --lang is given.
# SvlCheck.exe is built first when needed (SVLCHECK_EXE names another). A
# Wine server that the check starts for its prefix is stopped at the end.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib.sh"
fail_loudly

usage() {
  echo "usage: $0 FOLDER [--lang ja|en] [--json] [--cd]" >&2
  exit 2
}

options=()
folder=""
language_given=no
while [ $# -gt 0 ]; do
  case "$1" in
  --lang)
    [ $# -ge 2 ] || usage
    options+=("$1" "$2")
    language_given=yes
    shift ;;
  --lang=*) options+=("$1"); language_given=yes ;;
  -h | --help) usage ;;
  -*) options+=("$1") ;;
  *)
    [ -z "$folder" ] || usage
    folder=$1 ;;
  esac
  shift
done
[ -n "$folder" ] || usage

# The language the user's locale asks for, decided here: Wine may have to run
# in another locale (below).
if [ "$language_given" = no ]; then
  wanted=${LC_ALL:-${LC_MESSAGES:-${LANG:-}}}
  case "$wanted" in
  ja*) options+=(--lang ja) ;;
  ?*) options+=(--lang en) ;;
  esac
fi
# Wine reads Unix file names in the locale's character set; a locale that is
# not installed (ja_JP.UTF-8 without locale-gen) would garble every name
# that is not ASCII. C.UTF-8 is always there.
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
  export LC_ALL=C.UTF-8
fi

case "$folder" in
[A-Za-z]:*) windows_folder=$folder ;;
*)
  [ -d "$folder" ] || { echo "check-series.sh: no folder $folder" >&2; exit 2; }
  windows_folder="Z:$(realpath "$folder" | tr / '\\')" ;;
esac

# A checker that cannot be built checks nothing: an older one would check
# under old rules.
find_svlcheck || exit 2

export WINEPREFIX=${WINEPREFIX:-$root/${windows_build:-build/windows}/wineprefix}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}
# The prefix's server, and Wine's services with it, stop when the check ends
# unless they were running before it: a test run or a launcher may use them.
server_was_running=no
if wine_server_running "$WINEPREFIX"; then server_was_running=yes; fi
# Through files: Wine's background processes would hold a pipe open.
out=$(mktemp)
err=$(mktemp)
cleanup() {
  rm -f "$out" "$err"
  if [ "$server_was_running" = no ]; then
    "$root/scripts/wine-prefix" down "$WINEPREFIX"
  fi
}
trap cleanup EXIT
quietly "starting the Wine prefix $WINEPREFIX" "$root/scripts/wine-prefix" up "$WINEPREFIX" </dev/null ||
  exit 2
status=0
wine "$svlcheck" "${options[@]}" "$windows_folder" >"$out" 2>"$err" </dev/null || status=$?
cat "$out"
cat "$err" >&2
exit $status
