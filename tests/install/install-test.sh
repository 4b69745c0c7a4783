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

# shellcheck source=tests/install/check-tree.sh
source "$(dirname "$0")/check-tree.sh"

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
