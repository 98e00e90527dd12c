# cmake -DSKIN=file -DLIMIT=bytes -P SkinSize.cmake: prints the packed skin's
# size and fails when it is LIMIT bytes or more.
if(NOT EXISTS "${SKIN}")
  message(FATAL_ERROR "${SKIN} does not exist")
endif()
file(SIZE "${SKIN}" size)
get_filename_component(name "${SKIN}" NAME)
message("${name}: ${size} bytes compressed, limit ${LIMIT}")
if(NOT size LESS LIMIT)
  message(FATAL_ERROR "${name} is ${size} bytes, not under ${LIMIT}")
endif()
