# With Ninja, CMake 3.25 (Debian 12's) runs moc for a target again only when a
# file it scanned before changes. A class added to a globbed folder is then
# compiled without its moc code, and an updated checkout fails to link
# ("undefined reference to vtable") until its build folder is made anew. So
# every configuration compares each moc-using target's file list with the one
# it saw last, and on a change removes the stamp of the target's last moc run,
# which makes the build run moc again.

function(_tamsolen_targets_below directory out)
  get_directory_property(targets DIRECTORY ${directory} BUILDSYSTEM_TARGETS)
  get_directory_property(subdirectories DIRECTORY ${directory} SUBDIRECTORIES)
  foreach(subdirectory ${subdirectories})
    _tamsolen_targets_below(${subdirectory} below)
    list(APPEND targets ${below})
  endforeach()
  set(${out} ${targets} PARENT_SCOPE)
endfunction()

function(tamsolen_rerun_moc_on_new_files)
  _tamsolen_targets_below(${CMAKE_SOURCE_DIR} targets)
  foreach(target ${targets})
    get_target_property(automoc ${target} AUTOMOC)
    if(NOT automoc)
      continue()
    endif()
    get_target_property(sources ${target} SOURCES)
    get_target_property(autogen ${target} AUTOGEN_BUILD_DIR)
    if(NOT autogen)
      get_target_property(binary ${target} BINARY_DIR)
      set(autogen ${binary}/${target}_autogen)
    endif()
    set(seen ${autogen}.sources)
    set(before "")
    if(EXISTS ${seen})
      file(READ ${seen} before)
    endif()
    if(NOT before STREQUAL "${sources}")
      file(GLOB stamps ${autogen}/timestamp*)
      if(stamps)
        file(REMOVE ${stamps})
      endif()
      file(WRITE ${seen} "${sources}")
    endif()
  endforeach()
endfunction()
