# Replaces the word database beside the program with the fresh build. The
# journal and log files of the old file go first: the engine would apply
# them to the new file at its next start. A database that is a symbolic
# link is replaced at its target, and the link stays; a link into a folder
# that does not exist (a disk or share that is not there) is left as it is,
# with nothing replaced. The new file takes the old one's place in one
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
get_filename_component(folder "${target}" DIRECTORY)
if(NOT IS_DIRECTORY "${folder}")
  message(FATAL_ERROR "The word database was not replaced: ${DST} is a link to ${target}, "
                      "but the folder ${folder} does not exist. The link was left as it is.")
endif()
foreach(side -wal -shm -journal)
  file(REMOVE "${target}${side}")
endforeach()
file(COPY_FILE "${SRC}" "${target}.new")
file(RENAME "${target}.new" "${target}")
message(STATUS "Replaced ${DST}")
