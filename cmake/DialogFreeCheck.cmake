# A logic library shows no message box: it hands its boxes back as
# UserMessages, or asks through the MessageAsker its window gives it. Its own
# sources are compiled with TAMSOLEN_LOGIC_LIBRARY, with which the dialog
# service's header stops the compile, also when it comes in through another
# header. The platform library, where the service itself lives, is left out.
function(tamsolen_forbid_dialogs)
  foreach(target ${ARGN})
    if(NOT target STREQUAL "platform")
      target_compile_definitions(${target} PRIVATE TAMSOLEN_LOGIC_LIBRARY)
    endif()
  endforeach()
endfunction()
