# cmake -DMAP=<linker map> -DPROGRAM=<exe> -P check_no_cxx_library.cmake
# Fails, and deletes the program so that it is built again, when the linker map
# shows a member of libstdc++ or libsupc++ linked into it.
file(STRINGS ${MAP} members REGEX "lib(std|sup)c\\+\\+\\.a\\([^)]*\\)")
if(members)
  list(REMOVE_DUPLICATES members)
  file(REMOVE ${PROGRAM})
  list(JOIN members "\n" text)
  message(FATAL_ERROR "C++ library code linked into ${PROGRAM}:\n${text}")
endif()
