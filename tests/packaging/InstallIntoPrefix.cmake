# cmake -DBUILD_DIR=... -DPREFIX=... -P InstallIntoPrefix.cmake: a fresh install.
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}" COMMAND_ERROR_IS_FATAL ANY)
