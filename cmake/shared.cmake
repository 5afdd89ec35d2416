# What the native build (CMakeLists.txt) and the Windows cross build
# (win32/CMakeLists.txt) share: the source lists and the warning flags. A
# file added to one of the shared folders is in both builds at the next
# configure, without an edit here.

get_filename_component(SYNCWARD_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# The .cpp and .h files below the given folders (relative to the
# repository's root), sub-folders included.
function(syncward_sources out)
  set(patterns)
  foreach(folder ${ARGN})
    list(APPEND patterns ${SYNCWARD_ROOT}/${folder}/*.cpp ${SYNCWARD_ROOT}/${folder}/*.h)
  endforeach()
  file(GLOB_RECURSE found CONFIGURE_DEPENDS ${patterns})
  set(${out} ${found} PARENT_SCOPE)
endfunction()

function(syncward_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wnon-virtual-dtor)
  if(SYNCWARD_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()
