# The version header both programs print from (qx70version): rewritten at
# every build by write_version.cmake, so the commit it names is the one built,
# not the one configured.
set(QX70_GENERATED ${CMAKE_BINARY_DIR}/generated)
add_custom_target(qx70_version_header
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${CMAKE_SOURCE_DIR} -DVERSION=${PROJECT_VERSION}
          -DOUTPUT=${QX70_GENERATED}/qx70_version.h -P ${CMAKE_CURRENT_LIST_DIR}/write_version.cmake
  BYPRODUCTS ${QX70_GENERATED}/qx70_version.h
  VERBATIM)
add_library(qx70version INTERFACE)
target_include_directories(qx70version INTERFACE ${QX70_GENERATED})
add_dependencies(qx70version qx70_version_header)
