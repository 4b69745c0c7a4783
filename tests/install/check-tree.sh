# Sourced by the install tests: check_tree ROOT fails unless ROOT holds the
# tree as installed (a prefix, or DESTDIR + prefix). The caller defines fail.
check_tree() {
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
