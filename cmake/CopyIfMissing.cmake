# Copies SRC to DST only when DST does not exist, so a user's data file is never overwritten.
if(NOT EXISTS "${DST}")
  configure_file("${SRC}" "${DST}" COPYONLY)
endif()
