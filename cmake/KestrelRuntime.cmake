# The C++ runtime is linked as shared DLLs so that one unwinder serves both Kestrel.dll and
# its host: an exception thrown in the DLL is caught in the host. Those DLLs must ship next
# to every executable. Find them, and whatever they import in turn, from the compiler.
#
# Result: KESTREL_RUNTIME_DLLS (absolute paths) and the target kestrel_runtime, which copies
# them into ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}.

function(_kestrel_find_dll name out)
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${name}
                  OUTPUT_VARIABLE path OUTPUT_STRIP_TRAILING_WHITESPACE)
  # An unknown name comes back unchanged.
  if(IS_ABSOLUTE "${path}" AND EXISTS "${path}")
    get_filename_component(path "${path}" REALPATH)
    set(${out} "${path}" PARENT_SCOPE)
  else()
    set(${out} "" PARENT_SCOPE)
  endif()
endfunction()

if(NOT CMAKE_OBJDUMP)
  find_program(CMAKE_OBJDUMP NAMES ${KESTREL_TRIPLE}-objdump objdump)
endif()

set(_queue libstdc++-6.dll)
set(_seen)
set(KESTREL_RUNTIME_DLLS)
while(_queue)
  list(POP_FRONT _queue _name)
  string(TOLOWER "${_name}" _key)
  if(_key IN_LIST _seen)
    continue()
  endif()
  list(APPEND _seen ${_key})
  _kestrel_find_dll(${_name} _path)
  if(NOT _path)
    continue()
  endif()
  list(APPEND KESTREL_RUNTIME_DLLS ${_path})
  execute_process(COMMAND ${CMAKE_OBJDUMP} -p ${_path} OUTPUT_VARIABLE _dump)
  string(REGEX MATCHALL "DLL Name: [^\r\n]+" _imports "${_dump}")
  foreach(_imp IN LISTS _imports)
    string(REGEX REPLACE "DLL Name: " "" _imp "${_imp}")
    list(APPEND _queue ${_imp})
  endforeach()
endwhile()

if(NOT KESTREL_RUNTIME_DLLS)
  message(FATAL_ERROR "C++ runtime DLLs not found via ${CMAKE_CXX_COMPILER} -print-file-name")
endif()
message(STATUS "C++ runtime DLLs: ${KESTREL_RUNTIME_DLLS}")

set(_copied)
foreach(_path IN LISTS KESTREL_RUNTIME_DLLS)
  get_filename_component(_name ${_path} NAME)
  set(_dst ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/${_name})
  add_custom_command(OUTPUT ${_dst}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${_path} ${_dst}
    DEPENDS ${_path}
    VERBATIM)
  list(APPEND _copied ${_dst})
endforeach()
add_custom_target(kestrel_runtime ALL DEPENDS ${_copied})
