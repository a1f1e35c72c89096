# Configures the project afresh with Unix Makefiles as an optimised build with warnings as errors, and
# builds the parts that once failed there: the checked shaders and the project library.
file(REMOVE_RECURSE ${WORK_DIR})
execute_process(COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${WORK_DIR} -G "Unix Makefiles"
    -DCMAKE_BUILD_TYPE=Release -DPELLORA_WERROR=ON -DPELLORA_TESTS=OFF
  RESULT_VARIABLE result OUTPUT_QUIET TIMEOUT 240)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "configuring with Unix Makefiles failed: ${result}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR} -j2 --target pellora_shaders_checked pellora_project
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output TIMEOUT 400)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the Release build with Unix Makefiles failed:\n${output}")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
