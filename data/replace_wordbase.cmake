# Replaces the word database beside the program with the fresh build. The
# journal and log files of the old file go first: the engine would apply
# them to the new file at its next start. A database that is a symbolic
# link is replaced at its target, and the link stays; a link into a folder
# that does not exist (a disk or share that is not there) is left as it is,
# with nothing replaced, and so is a link that leads back to itself or a
# folder where the file should be. The new file takes the old one's place in one
# rename, so a running program sees the change.
set(target "${DST}")
foreach(hop RANGE 40)
  if(NOT IS_SYMLINK "${target}")
    break()
  endif()
  file(READ_SYMLINK "${target}" next)
  if(NOT IS_ABSOLUTE "${next}")
    get_filename_component(linkFolder "${target}" DIRECTORY)
    set(next "${linkFolder}/${next}")
  endif()
  set(target "${next}")
endforeach()
# Nothing is changed until the target is known to be a file or nothing.
if(IS_SYMLINK "${target}")
  message(FATAL_ERROR "The word database was not replaced: ${DST} is a symbolic link that leads back to "
                      "itself and names no file. The link was left as it is.")
endif()
get_filename_component(folder "${target}" DIRECTORY)
if(NOT IS_DIRECTORY "${folder}")
  message(FATAL_ERROR "The word database was not replaced: ${DST} is a link to ${target}, "
                      "but the folder ${folder} does not exist. The link was left as it is.")
endif()
if(IS_DIRECTORY "${target}")
  message(FATAL_ERROR "The word database was not replaced: ${target} is a folder, not a file. "
                      "It was left as it is; move it away and build rebuild-wordbase again.")
endif()
foreach(side -wal -shm -journal)
  file(REMOVE "${target}${side}")
endforeach()
file(COPY_FILE "${SRC}" "${target}.new" RESULT copied)
if(NOT copied EQUAL 0)
  file(REMOVE "${target}.new")
  message(FATAL_ERROR "The word database was not replaced: the fresh copy ${target}.new could not be "
                      "written (${copied}). ${DST} was left as it is.")
endif()
file(RENAME "${target}.new" "${target}" RESULT renamed)
if(NOT renamed EQUAL 0)
  file(REMOVE "${target}.new")
  message(FATAL_ERROR "The word database was not replaced: the fresh copy could not take the place of "
                      "${target} (${renamed}). ${DST} was left as it is.")
endif()
message(STATUS "Replaced ${DST}")
