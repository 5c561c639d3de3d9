# Fails when a file names a header by a path that climbs with ".." or by an
# absolute path: either reaches any folder of src/, past the include roots
# that keep a layer to the headers of the layers it links (see TavLibrary.cmake).
# Fails too when a file outside the database layer names the database
# engine's header (sqlite3.h), which the system's include path offers to every
# library: the engine is reached through the database layer only.
#   cmake -DFILES=<file>|... [-DENGINE=ON] -DSTAMP=<file> -P CheckIncludes.cmake
# ENGINE: the files are the database layer's, which may name the engine.
# STAMP is touched when every file passes.
string(REPLACE "|" ";" FILES "${FILES}")
set(climbing)
set(absolute)
set(engine)
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
  if(NOT ENGINE)
    file(STRINGS ${file} lines REGEX "^[ \t]*#[ \t]*include[ \t]*[\"<]sqlite3\\.h[\">]")
    foreach(line ${lines})
      string(STRIP "${line}" line)
      list(APPEND engine "${file}: ${line}")
    endforeach()
  endif()
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
if(engine)
  list(JOIN engine "\n  " engine)
  message(FATAL_ERROR "An include names the database engine outside the database layer; "
                      "reach the word database through platform/dao:\n  ${engine}")
endif()
if(STAMP)
  file(TOUCH ${STAMP})
endif()
