# Runs one script through the script runner under Wine and compares what it
# prints with the expected text beside the script (name.out).
string(REPLACE "/" "\\" windows_script "Z:${SCRIPT}")
execute_process(COMMAND wine "${RUNNER}" "${windows_script}"
  OUTPUT_VARIABLE actual ERROR_VARIABLE errors RESULT_VARIABLE code)
string(REPLACE "\r\n" "\n" actual "${actual}")
file(READ "${EXPECTED}" expected)
if(NOT actual STREQUAL expected)
  message(FATAL_ERROR "output of ${SCRIPT} differs\n--- expected\n${expected}--- actual\n${actual}${errors}")
endif()
