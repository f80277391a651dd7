# shellcheck shell=bash
# Sourced by the scripts: failures that say what failed, and the project's
# list of Debian packages and commands (scripts/deps.list).

SORVEL_DEPS_LIST=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/deps.list

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
# the Windows build, built now (after installing what the build needs).
# Prints its path and nothing else on standard output.
svlcheck_exe() {
  if [ -n "${SVLCHECK_EXE:-}" ]; then
    echo "$SVLCHECK_EXE"
    return
  fi
  local root
  root=$(dirname "$SORVEL_DEPS_LIST")/..
  "$root/scripts/install-deps" >&2
  (cd "$root" &&
    quietly "configuring the Windows build" cmake --preset windows &&
    quietly "building SvlCheck.exe" cmake --build --preset windows --target SvlCheck) >&2
  realpath "$root/build/windows/app/check/SvlCheck.exe"
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
