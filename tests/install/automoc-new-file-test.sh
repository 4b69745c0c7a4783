#!/usr/bin/env bash
# automoc-new-file-test.sh SOURCE_DIR
# A build folder made before a class with Q_OBJECT was added to a globbed
# folder still links once the class is there, as an updated checkout does.
set -euo pipefail
source=$1
fail() { echo "automoc-new-file-test: $*" >&2; exit 1; }

work=$(mktemp -d /tmp/tamsolen-automoc.XXXXXX)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/project/lib"
cat >"$work/project/CMakeLists.txt" <<CMAKE
cmake_minimum_required(VERSION 3.25)
project(automocprobe CXX)
set(CMAKE_CXX_STANDARD 20)
set(CMAKE_AUTOMOC ON)
find_package(Qt6 REQUIRED COMPONENTS Core)
file(GLOB sources CONFIGURE_DEPENDS \${CMAKE_CURRENT_SOURCE_DIR}/lib/*.cpp \${CMAKE_CURRENT_SOURCE_DIR}/lib/*.h)
add_library(probe STATIC \${sources})
target_link_libraries(probe PUBLIC Qt6::Core)
add_executable(probemain main.cpp)
target_link_libraries(probemain PRIVATE probe)
include($source/cmake/AutomocNewFiles.cmake)
tamsolen_rerun_moc_on_new_files()
CMAKE

# A QObject class NAME in lib/.
add_class() {
  cat >"$work/project/lib/$1.h" <<HEADER
#pragma once
#include <QObject>
class $1 : public QObject
{
    Q_OBJECT
public:
    explicit $1(QObject *parent = nullptr);
};
HEADER
  printf '#include "%s.h"\n%s::%s(QObject *parent) : QObject(parent) {}\n' "$1" "$1" "$1" >"$work/project/lib/$1.cpp"
}
# main.cpp makes one object of each class named.
write_main() {
  {
    for name in "$@"; do printf '#include "lib/%s.h"\n' "$name"; done
    printf 'int main()\n{\n'
    for name in "$@"; do printf '    %s %s_object;\n' "$name" "$name"; done
    printf '    return 0;\n}\n'
  } >"$work/project/main.cpp"
}
build() {
  cmake --build "$work/build" >"$work/build.log" 2>&1 || { tail -n 20 "$work/build.log" >&2; fail "$1"; }
}

add_class First
write_main First
cmake -S "$work/project" -B "$work/build" -G Ninja >"$work/configure.log" 2>&1 ||
  { cat "$work/configure.log" >&2; fail "the probe project does not configure"; }
build "the first build failed"

add_class Second
write_main First Second
build "the build after a class was added failed"
"$work/build/probemain" || fail "the probe program does not run"
echo "automoc-new-file-test: the class added later links in the existing build folder"
