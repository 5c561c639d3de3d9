# Replaces the word database beside the program with the fresh build. The
# journal and log files of the old file go first: the engine would apply
# them to the new file at its next start. A database that is a symbolic
# link is replaced at its target, and the link stays. The new file takes
# the old one's place in one rename, so a running program sees the change.
file(REAL_PATH "${DST}" target)
foreach(side -wal -shm -journal)
  file(REMOVE "${target}${side}")
endforeach()
file(COPY_FILE "${SRC}" "${target}.new")
file(RENAME "${target}.new" "${target}")
message(STATUS "Replaced ${DST}")
