#!/usr/bin/env bash
# demo-build-test.sh SOURCE_DIR WERROR
# Builds what the README's demo command builds, in a fresh build folder, and
# checks that every report template the program loads lies beside it. The
# compiles take this build's TAMSOLEN_WERROR, so that ccache holds them.
set -euo pipefail
source=$1
werror=$2
fail() { echo "demo-build-test: $*" >&2; exit 1; }

# The targets of the demo command's own build line.
targets=$(sed -n 's/^"\$root\/scripts\/build" "\$root\/build" .*--target //p' "$source/scripts/demo")
[ -n "$targets" ] || fail "scripts/demo has no line building into \$root/build"

# Beside build/, so that the compiles are the ones ccache holds for it.
work=$(mktemp -d "$source/build-demo-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
# shellcheck disable=SC2086 # the targets are words
"$source/scripts/build" "$work" -DTAMSOLEN_WERROR="$werror" --target $targets >"$work/demo-build.log" 2>&1 ||
  { tail -n 40 "$work/demo-build.log" >&2; fail "the build failed"; }

program=$work/src/app/tamsolen
[ -x "$program" ] || fail "no program at $program"
# Every template the program loads is named in its sources as "NAME.rpf".
templates=$(grep -rhoE '"[A-Za-z0-9_]+\.rpf"' "$source/src" | tr -d '"' | sort -u)
[ -n "$templates" ] || fail "no template names found in $source/src"
missing=()
for template in $templates; do
  [ -s "$(dirname "$program")/$template" ] || missing+=("$template")
done
[ ${#missing[@]} -eq 0 ] || fail "not beside the program: ${missing[*]}"
echo "demo-build-test: $(echo "$templates" | wc -l) templates lie beside the program"
