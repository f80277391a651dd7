# shellcheck shell=bash
# Sourced by the scripts: failures that say what failed, and the project's
# list of Debian packages and commands (scripts/deps.list).

SORVEL_DEPS_LIST=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/deps.list

# What a Wine prefix is never depends on the user's shell: with WINEARCH=win32
# wineboot makes a prefix without the 64-bit side that scripts/wine-prefix
# then makes again on every run, and wine refuses to run in a 64-bit one; the
# others choose another Wine than the one the prefix was made with.
unset WINEARCH WINELOADER WINESERVER WINEDLLPATH

# SORVEL_WINE_ARCH=win64 runs the x86-64 build's programs in 64-bit prefixes
# without the 32-bit side: the scripts' and the tests' `wine` (and wineboot)
# are then the 64-bit loader of scripts/wine64/. Set by use_wine64 below and
# by the windows-x64 test preset.
sorvel_wine64_bin=$(dirname "$SORVEL_DEPS_LIST")/wine64
if [ "${SORVEL_WINE_ARCH:-}" = win64 ]; then
  case ":$PATH:" in *":$sorvel_wine64_bin:"*) ;; *) PATH=$sorvel_wine64_bin:$PATH ;; esac
fi

# Whether this machine executes 32-bit x86 programs. A 64-bit kernel built
# without IA-32 emulation refuses them ("Exec format error"), and with them
# Wine's 32-bit side: the i386 loader of libc6:i386 shows it without Wine.
runs_x86_code() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1
}

# use_wine64 - from now on Wine is the 64-bit one, with 64-bit prefixes.
use_wine64() {
  export SORVEL_WINE_ARCH=win64
  case ":$PATH:" in *":$sorvel_wine64_bin:"*) ;; *) PATH=$sorvel_wine64_bin:$PATH ;; esac
  export PATH
}

# choose_windows_build - the Windows build whose programs run under Wine
# here: the x86 one that ships (preset windows), or, where x86 code cannot
# run, the same sources built for x86-64 (preset windows-x64) under 64-bit
# Wine, which it says in one line. Sets windows_preset and windows_build
# (the build folder, relative to the repository).
choose_windows_build() {
  if [ "${SORVEL_WINE_ARCH:-}" = win64 ]; then
    windows_preset=windows-x64 # chosen already, and said, by the caller
  elif runs_x86_code; then
    windows_preset=windows
  else
    echo "$(basename "$0"): this machine cannot run 32-bit x86 programs, so the Windows programs and tests run on the x86-64 build (preset windows-x64) under 64-bit Wine" >&2
    windows_preset=windows-x64
    use_wine64
  fi
  windows_build=build/$windows_preset
}

# Under set -e, a failing command ends the script with its exit code alone;
# this names the script, the line and the command as well. A step that
# `quietly` already reported is not reported twice.
fail_loudly() {
  sorvel_reported=""
  trap 'sorvel_report_failure $? "$LINENO" "$BASH_COMMAND"' ERR
}
sorvel_report_failure() {
  [ -n "${sorvel_reported:-}" ] && return
  echo "$(basename "$0"): line $2: '$3' failed with exit code $1" >&2
}

# quietly STEP COMMAND ARG... - runs a command whose output only matters when
# it fails: then the output is printed with STEP and the exit code, and the
# exit code is returned.
quietly() {
  local step=$1 log status=0
  shift
  log=$(mktemp)
  "$@" >"$log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    {
      echo "$(basename "$0"): $step failed: '$*' exited with code $status. Its output:"
      sed 's/^/    /' "$log"
    } >&2
    sorvel_reported=1
  fi
  rm -f "$log"
  return "$status"
}

# The checker the scripts run: $SVLCHECK_EXE when set, else SvlCheck.exe of
# the Windows build, built now (after installing what the build needs). Sets
# svlcheck to its path. Fails when the install or the build fails: an older
# SvlCheck.exe left in the build tree would check under old rules. It is no
# command substitution, where bash would ignore a failing step; each step is
# checked here, so it fails alike when called in a condition.
find_svlcheck() {
  if [ -n "${SVLCHECK_EXE:-}" ]; then
    svlcheck=$SVLCHECK_EXE
    return
  fi
  local root
  root=$(cd "$(dirname "$SORVEL_DEPS_LIST")/.." && pwd)
  "$root/scripts/install-deps" >&2 || return
  choose_windows_build
  (cd "$root" &&
    quietly "configuring the Windows build" cmake --preset "$windows_preset" &&
    quietly "building SvlCheck.exe" cmake --build --preset "$windows_preset" --target SvlCheck) >&2 ||
    return
  svlcheck=$root/$windows_build/app/check/SvlCheck.exe
  if [ ! -f "$svlcheck" ]; then
    echo "$(basename "$0"): the build made no $svlcheck" >&2
    return 1
  fi
}

# wine_server_running PREFIX - whether a wineserver serves PREFIX now. The
# server works in a folder named after the prefix's device and inode
# ("server-DEV-INODE", below /tmp), which this looks for among the processes'
# working folders: asking the server itself would start one.
wine_server_running() {
  local device_inode id process
  device_inode=$(stat -c '%D %i' "$1" 2>/dev/null) || return 1
  # shellcheck disable=SC2086 # the device and the inode, two arguments
  id=$(printf 'server-%s-%x' $device_inode)
  for process in /proc/[0-9]*; do
    case $(readlink "$process/cwd" 2>/dev/null) in */"$id") return 0 ;; esac
  done
  return 1
}

# The list's entries of one kind: "install" prints the packages, "commands"
# and "prerequisite" print "COMMAND PACKAGE" lines, "files" "PATH PACKAGE".
deps_entries() {
  local kind=$1
  sed 's/#.*//' "$SORVEL_DEPS_LIST" | while read -r entry package names; do
    [ "$entry" = "$kind" ] || continue
    if [ "$kind" = install ]; then
      echo "$package"
    else
      for name in $names; do echo "$name $package"; done
    fi
  done
}

# deps_require NAME... - fails, naming each missing command or file and the
# package it comes from, unless all of them are there.
deps_require() {
  local name listed package from missing=0
  for name in "$@"; do
    command -v "$name" >/dev/null || [ -e "$name" ] && continue
    from="(which scripts/deps.list does not name)"
    while read -r listed package; do
      [ "$listed" = "$name" ] && from="from the Debian package $package" && break
    done < <(deps_entries commands; deps_entries files)
    echo "missing: $name, $from" >&2
    missing=1
  done
  if [ "$missing" -ne 0 ]; then
    echo "scripts/install-deps installs them (as root, or with sudo)." >&2
    sorvel_reported=1
    return 1
  fi
}

# Fails unless every command and file of the list is there.
deps_check() {
  local names=() name package
  while read -r name package; do
    names+=("$name")
  done < <(deps_entries commands; deps_entries files)
  deps_require "${names[@]}"
}
