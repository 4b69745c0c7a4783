#!/usr/bin/env bash
# readme-install-test.sh SOURCE_DIR WERROR
# Runs the README's install commands as a user does, in the checkout, with
# a fresh build folder and a temporary prefix in place of theirs, and checks
# the tree installed. The compiles go through ccache with this build's
# TAMSOLEN_WERROR, so that they are the ones it has made already; -Werror
# only makes a passing user's build stricter. The test programs are left
# out: the enclosing build has just built them from the same sources, and
# linking them again would double the test command's links on two cores.
set -euo pipefail
source=$1
werror=$2
fail() { echo "readme-install-test: $*" >&2; exit 1; }
# shellcheck source=tests/install/check-tree.sh
source "$(dirname "$0")/check-tree.sh"

# The indented command lines that open the README's Installing section.
commands=$(awk '/^## /{inside = ($0 == "## Installing")} inside && /^    /{sub(/^    /, ""); print; found = 1; next}
                inside && found && /^$/{exit}' "$source/README.md")
[ -n "$commands" ] || fail "the README's Installing section shows no commands"
grep -q -- '^cmake -S \. -B build ' <<<"$commands" || fail "no configure line in the README: $commands"

# The build folder beside build/, so that the compiles' paths relative to it
# are those of build/'s.
build=$(mktemp -d "$source/build-readme-test.XXXXXX")
work=$(mktemp -d /tmp/tamsolen-readme.XXXXXX)
trap 'rm -rf "$build" "$work"' EXIT
folder=$(basename "$build")
prefix=$work/prefix
commands=$(sed -E -e "s#(^| )build( |$)#\1$folder\2#g" -e "s#-DCMAKE_INSTALL_PREFIX=[^ ]+#-DCMAKE_INSTALL_PREFIX=$prefix#" \
  -e "/^cmake -S /s#\$# -DTAMSOLEN_WERROR=$werror -DTAMSOLEN_TESTS=OFF#" <<<"$commands")
if command -v ccache >/dev/null; then
  commands=$(sed -E "/^cmake -S /s#\$# -DCMAKE_CXX_COMPILER_LAUNCHER=ccache#" <<<"$commands")
  export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$source} CCACHE_NOHASHDIR=${CCACHE_NOHASHDIR:-1}
fi
grep -q 'TAMSOLEN_BENCH=OFF' <<<"$commands" && fail "the README's build leaves the benchmarks out"

cd "$source"
while IFS= read -r line; do
  echo "readme-install-test: $line"
  bash -c "$line" >"$work/commands.log" 2>&1 || { tail -n 40 "$work/commands.log" >&2; fail "failed: $line"; }
done <<<"$commands"
check_tree "$prefix"
[ -x "$build/bench/bench_Results" ] || fail "the README's build made no benchmarks"
echo "readme-install-test: the README's commands build the program, its tools and benchmarks and install a working tree"
