# Fails when a file names a header by a path that climbs with ".." or by an
# absolute path: either reaches any folder of src/, past the include roots
# that keep a layer to the headers of the layers it links (see TavLibrary.cmake).
#   cmake -DFILES=<file>|... -DSTAMP=<file> -P CheckIncludes.cmake
# STAMP is touched when every file passes.
string(REPLACE "|" ";" FILES "${FILES}")
set(climbing)
set(absolute)
foreach(file ${FILES})
  if(NOT file MATCHES "\\.(h|cpp)$")
    continue()
  endif()
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([^\">]*/)?\\.\\.[/\\\\\">]")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    list(APPEND climbing "${file}: ${line}")
  endforeach()
  file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]([/\\\\]|[A-Za-z]:)")
  foreach(line ${lines})
    string(STRIP "${line}" line)
    list(APPEND absolute "${file}: ${line}")
  endforeach()
endforeach()
if(climbing)
  list(JOIN climbing "\n  " climbing)
  message(FATAL_ERROR "An include climbs out of its folder with \"..\"; name the header by its "
                      "folder under src/ (\"store/X.h\"), which its library must link:\n  ${climbing}")
endif()
if(absolute)
  list(JOIN absolute "\n  " absolute)
  message(FATAL_ERROR "An include names a header by an absolute path; name it by its folder "
                      "under src/ (\"store/X.h\"), which its library must link:\n  ${absolute}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
