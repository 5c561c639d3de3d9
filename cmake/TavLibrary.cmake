# Each library of the program has an include root of its own in the build
# tree, holding one link named after its folder: <build>/include/tav_store/store
# points at src/store. A file names a header by its folder ("store/X.h",
# "platform/dao/Y.h") and finds it only when its library links the library of
# that folder (a PUBLIC link passes the root on to the users): a header of a
# layer the library does not link cannot even be named. Headers of the same
# folder are found beside the including file, as before.

# tav_include_root(<target> <folder>): the target's users and the target
# itself see the headers of src/<folder> as "<folder>/X.h".
function(tav_include_root target folder)
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  file(CREATE_LINK ${CMAKE_SOURCE_DIR}/src/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# tav_check_includes(<target>): before the target compiles, its own .cpp and
# .h files are read for includes that climb with ".." or name an absolute path
# (either would reach any folder past the include roots) and, outside the
# database layer (tav_dao, tav_recordset), for the database engine's header
# (cmake/CheckIncludes.cmake). The build stops naming each one.
function(tav_check_includes target)
  get_target_property(sources ${target} SOURCES)
  get_target_property(dir ${target} SOURCE_DIR)
  list(TRANSFORM sources PREPEND ${dir}/ REGEX "^[^/]")
  list(FILTER sources INCLUDE REGEX "\\.(h|cpp)$")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${target}_includes.stamp)
  string(REPLACE ";" "|" files "${sources}")
  set(engine OFF)
  if(target STREQUAL "tav_dao" OR target STREQUAL "tav_recordset")
    set(engine ON)
  endif()
  add_custom_command(OUTPUT ${stamp}
                     COMMAND ${CMAKE_COMMAND} -DFILES=${files} -DENGINE=${engine} -DSTAMP=${stamp}
                             -P ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
                     DEPENDS ${sources} ${CMAKE_SOURCE_DIR}/cmake/CheckIncludes.cmake
                     COMMENT "Checking the includes of ${target}"
                     VERBATIM)
  target_sources(${target} PRIVATE ${stamp})
endfunction()

# tav_library(<target> <folder> [PUBLIC ...] [PRIVATE ...]): a static library
# of the .cpp and .h files of src/<folder> (not its subfolders), linking the
# libraries named. A library links PUBLIC what its headers include, PRIVATE
# what only its sources include.
function(tav_library target folder)
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/${folder}/*.cpp
       ${CMAKE_SOURCE_DIR}/src/${folder}/*.h)
  add_library(${target} STATIC ${sources})
  tav_include_root(${target} ${folder})
  tav_check_includes(${target})
  if(ARGN)
    target_link_libraries(${target} ${ARGN})
  endif()
endfunction()
