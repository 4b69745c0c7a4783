#!/usr/bin/env bash
# install-test.sh BUILD_DIR CONFIGURED_PREFIX
set -euo pipefail
build=$1
configured=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install-test: $*" >&2; exit 1; }

# What the configured prefix's bin/ held before: nothing may be added there.
before=$(ls -A "$configured/bin" 2>/dev/null | sort || true)

check_tree() { # ROOT: the tree as installed (prefix, or DESTDIR + prefix)
  local root=$1
  [ -L "$root/bin/tamsolen" ] || fail "no link $root/bin/tamsolen"
  case $(readlink "$root/bin/tamsolen") in /*) fail "the link is absolute: $(readlink "$root/bin/tamsolen")" ;; esac
  local program
  program=$(readlink -f "$root/bin/tamsolen")
  [ -x "$program" ] || fail "the link does not reach the program: $program"
  case $program in "$root"/*) ;; *) fail "the program lies outside the tree: $program" ;; esac
  for template in CurePlan.rpf AttendSchedule.rpf; do
    [ -f "$(dirname "$program")/$template" ] || fail "$template does not lie beside the program"
  done
  [ -x "$root/bin/tamsolen-admin" ] || fail "no tamsolen-admin in $root/bin"
  grep -qx 'Exec=tamsolen' "$root/share/applications/tamsolen.desktop" || fail "the desktop entry does not start tamsolen by name"
}

cmake --install "$build" --prefix "$work/opt" >/dev/null
check_tree "$work/opt"
# The whole tree moves with its prefix.
mv "$work/opt" "$work/moved"
check_tree "$work/moved"

DESTDIR="$work/stage" cmake --install "$build" --prefix /opt/tamsolen >/dev/null
check_tree "$work/stage/opt/tamsolen"
[ "$(ls -A "$work/stage")" = opt ] || fail "DESTDIR holds more than the prefix: $(ls -A "$work/stage")"

after=$(ls -A "$configured/bin" 2>/dev/null | sort || true)
[ "$before" = "$after" ] || fail "files were added to $configured/bin"
echo "install-test: both install forms give a working tree inside the prefix"
