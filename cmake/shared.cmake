# What the native build (CMakeLists.txt) and the Windows cross build
# (win32/CMakeLists.txt) share: the source lists and the warning flags. A
# file added to one of the shared folders is in both builds at the next
# configure, without an edit here.

get_filename_component(SYNCWARD_ROOT ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)

# Rebuilds share a compiler cache where there is one, also between checkouts
# in different folders (CI builds a fresh clone each time): paths below the
# checkout are hashed relative to it, and the working folder not at all.
find_program(SYNCWARD_CCACHE ccache)
if(SYNCWARD_CCACHE AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${SYNCWARD_ROOT} CCACHE_NOHASHDIR=1 ${SYNCWARD_CCACHE})
endif()

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
