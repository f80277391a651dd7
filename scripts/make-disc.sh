#!/usr/bin/env bash
# Makes the disc image of a series and checks it as the pressed disc.
#
#   scripts/make-disc.sh [--label LABEL] [--lang ja|en] SERIES-ROOT OUT.iso
#
# SERIES-ROOT is a folder laid out as the disc's root: SorvelL.exe,
# SVLindex.txt, index.htm, the help file and one folder per program. The
# image is ISO 9660 with Joliet long names (what Windows shows), without Rock
# Ridge (so that Linux reads the same names as Windows), with the files' own
# dates and the volume label LABEL (default: the folder's name in capitals).
# Unless the folder has its own autorun.inf, one is added that opens the
# launcher with its icon.
#
# The image is then mounted read-only (fuseiso) and made the CD-ROM drive X:
# of a Wine prefix of its own, and SvlCheck.exe --cd checks it there as the
# launcher would meet it in a school's drive. OUT.iso is kept only when
# neither the check nor the comparison of the image's names with the folder's
# finds an error: otherwise the report is printed, no image is left (an
# OUT.iso of an earlier run is removed first) and the exit code is 1 (2 for
# wrong arguments, or when SvlCheck.exe cannot be built). SvlCheck.exe is
# built first when needed (SVLCHECK_EXE names another); the prefix is a copy
# of the build tree's (WINEPREFIX names another) with "-disc" added to its
# name. The Wine servers the script starts are stopped when it ends.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/scripts/lib.sh"
fail_loudly

usage() {
  echo "usage: $0 [--label LABEL] [--lang ja|en] SERIES-ROOT OUT.iso" >&2
  exit 2
}
fail() {
  echo "make-disc.sh: $*" >&2
  exit 2
}

label=""
options=()
operands=()
while [ $# -gt 0 ]; do
  case "$1" in
  --label)
    [ $# -ge 2 ] || usage
    label=$2
    shift ;;
  --lang)
    [ $# -ge 2 ] || usage
    options+=(--lang "$2")
    shift ;;
  -h | --help) usage ;;
  -*) usage ;;
  *) operands+=("$1") ;;
  esac
  shift
done
[ ${#operands[@]} -eq 2 ] || usage
series=${operands[0]}
out=${operands[1]}
[ -d "$series" ] || fail "no folder $series"
series=$(realpath "$series")
for file in SorvelL.exe SVLindex.txt; do
  [ -f "$series/$file" ] || fail "$series is no disc's root: it holds no $file"
done
[ -d "$(dirname "$out")" ] || fail "no folder for $out"
out=$(realpath -m "$out")
case "$out" in "$series"/*) fail "$out would be inside the disc's own folder" ;; esac
# The volume label in ISO 9660's own characters; Joliet holds 16 of them.
[ -n "$label" ] || label=$(basename "$series" | tr 'a-z' 'A-Z' | tr -c 'A-Z0-9_\n' '_' | head -c 16)
[[ "$label" =~ ^[A-Z0-9_]{1,16}$ ]] || fail "label $label: 1 to 16 of A-Z, 0-9 and _"
echo "make-disc.sh: the volume label is $label" >&2
if [ "$(locale charmap 2>/dev/null)" != "UTF-8" ]; then
  export LC_ALL=C.UTF-8 # Wine reads the image's Japanese names in UTF-8
fi
# An image of an earlier run must not pass for this one's when it is refused.
rm -f "$out"

# A checker that cannot be built checks nothing: an older one would check
# under old rules.
find_svlcheck || exit 2

work=$(mktemp -d)
mounted=$work/disc
part=$out.part
base=$(realpath -m "${WINEPREFIX:-$root/${windows_build:-build/windows}/wineprefix}")
export WINEPREFIX=$base-disc WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
# The build tree's prefix is started to be copied; its server keeps running
# afterwards only when it was running before (a test run may use it).
base_server_was_running=no
if wine_server_running "$base"; then base_server_was_running=yes; fi
cleanup() {
  # No Wine process may keep the drive busy when it is unmounted.
  "$root/scripts/wine-prefix" down "$WINEPREFIX"
  if [ "$(readlink "$WINEPREFIX/dosdevices/x:" 2>/dev/null)" = "$mounted" ]; then
    rm -f "$WINEPREFIX/dosdevices/x:"
  fi
  if mountpoint -q "$mounted"; then
    fusermount -u "$mounted" 2>/dev/null || fusermount -uz "$mounted" || true
  fi
  rm -rf "$work"
  rm -f "$part"
  if [ "$base_server_was_running" = no ]; then
    "$root/scripts/wine-prefix" down "$base"
  fi
}
trap cleanup EXIT

# The launcher's own autorun.inf, dated as the catalogue is.
grafts=("/=$series")
if [ -z "$(find "$series" -mindepth 1 -maxdepth 1 -iname autorun.inf)" ]; then
  printf '%s\r\n' '[autorun]' 'open=SorvelL.exe' 'icon=SorvelL.exe,0' >"$work/autorun.inf"
  touch -r "$series/SVLindex.txt" "$work/autorun.inf"
  grafts+=("/autorun.inf=$work/autorun.inf")
fi
quietly "making the image" xorriso -as mkisofs -o "$part" -V "$label" -J -joliet-long \
  -iso-level 3 --norock -graft-points "${grafts[@]}"
mkdir "$mounted"
quietly "mounting the image" fuseiso "$part" "$mounted"

# Names as the image holds them against the folder's: a name Joliet cannot
# hold is cut, and the programs would not find their files by it.
listing() { (cd "$1" && find . -mindepth 1) >>"$2"; }
listing "$series" "$work/folder"
[ ${#grafts[@]} -eq 1 ] || echo ./autorun.inf >>"$work/folder"
listing "$mounted" "$work/image"
changed=$(LC_ALL=C comm -3 <(LC_ALL=C sort "$work/folder") <(LC_ALL=C sort "$work/image") | tr -d '\t')

# The image as the CD-ROM drive X: of a prefix of the checker's own: Wine
# reads a drive's type when its server starts, so the server is stopped
# after the type is written. The check's exit code 2 (the disc could not be
# read) refuses the image as 1 does.
quietly "starting the Wine prefix $base" "$root/scripts/wine-prefix" up "$base" </dev/null
exec 9>"$WINEPREFIX.lock"
flock 9
# Made again when the build tree's prefix has been made again since.
if [ ! "$WINEPREFIX/.sorvel-disc-drive" -nt "$base/.sorvel-ready" ]; then
  quietly "copying the Wine prefix" "$root/scripts/copy-prefix" up "$base" "$WINEPREFIX"
  printf '%s\r\n' REGEDIT4 '' '[HKEY_LOCAL_MACHINE\Software\Wine\Drives]' '"x:"="cdrom"' '' \
    >"$work/drive.reg"
  quietly "making X: a CD-ROM drive" wine reg import "$work/drive.reg" /reg:64 </dev/null 9>&-
  "$root/scripts/wine-prefix" down "$WINEPREFIX"
  touch "$WINEPREFIX/.sorvel-disc-drive"
fi
ln -sfn "$mounted" "$WINEPREFIX/dosdevices/x:"
status=0
(cd "$work" && wine "$svlcheck" --cd "${options[@]}" 'X:\' >"$work/report" 2>&1 </dev/null 9>&-) ||
  status=$?
cat "$work/report"
if [ -n "$changed" ]; then
  echo "make-disc.sh: the image does not hold these names as the folder does:" >&2
  echo "$changed" | sed 's/^/    /' >&2
  [ "$status" -ne 0 ] || status=1
fi
if [ "$status" -ne 0 ]; then
  echo "make-disc.sh: the image of $series is refused; nothing is kept" >&2
  exit 1
fi
mv "$part" "$out"
echo "make-disc.sh: $out made and checked" >&2
