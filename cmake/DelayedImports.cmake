# Import libraries whose DLL is loaded at the first call of one of its functions rather
# than when the program starts (the Windows delay-load helper does the loading).
#
#   regtool_delayed_import(<dll> <function>:<argument bytes> ...)
#
# makes the imported target <dll>_delayed. The 32-bit names carry the size of their
# arguments, as the calling convention decorates them.
function(regtool_delayed_import dll)
  set(exports "")
  foreach(call IN LISTS ARGN)
    string(REPLACE ":" ";" call "${call}")
    list(GET call 0 name)
    list(GET call 1 bytes)
    if(CMAKE_SYSTEM_PROCESSOR STREQUAL i686)
      string(APPEND exports "${name}@${bytes}\n")
    else()
      string(APPEND exports "${name}\n")
    endif()
  endforeach()
  set(def ${CMAKE_CURRENT_BINARY_DIR}/${dll}_delayed.def)
  file(CONFIGURE OUTPUT ${def} CONTENT "LIBRARY ${dll}.dll\nEXPORTS\n${exports}")
  set(library ${CMAKE_CURRENT_BINARY_DIR}/lib${dll}_delayed.a)
  add_custom_command(OUTPUT ${library}
    COMMAND ${CMAKE_DLLTOOL} --kill-at --input-def ${def} --output-delaylib ${library}
      --dllname ${dll}.dll
    DEPENDS ${def}
    COMMENT "Making the delay-load import library of ${dll}")
  add_custom_target(${dll}_delayed_library DEPENDS ${library})
  add_library(${dll}_delayed STATIC IMPORTED GLOBAL)
  set_target_properties(${dll}_delayed PROPERTIES IMPORTED_LOCATION ${library})
  add_dependencies(${dll}_delayed ${dll}_delayed_library)
endfunction()
