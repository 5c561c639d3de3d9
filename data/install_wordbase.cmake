# Copies the freshly built word database beside the program unless one exists.
if(EXISTS "${DST}")
  message(STATUS "Keeping the existing ${DST}")
else()
  file(COPY_FILE "${SRC}" "${DST}")
  message(STATUS "Installed ${DST}")
endif()
