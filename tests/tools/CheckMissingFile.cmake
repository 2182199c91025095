# rtfview must tell a file that is not there (2) from one that fails to load (1).
foreach(Command text dump check)
  execute_process(COMMAND ${RTFVIEW} ${Command} /nonexistent/rtfview-test.rtf
    RESULT_VARIABLE Exit OUTPUT_QUIET ERROR_QUIET)
  if(NOT Exit EQUAL 2)
    message(FATAL_ERROR "rtfview ${Command} on a missing path: exit '${Exit}', expected 2")
  endif()
endforeach()
execute_process(COMMAND ${RTFVIEW} render /nonexistent/rtfview-test.rtf --width 600
                        -o /nonexistent/rtfview-test.png
  RESULT_VARIABLE Exit OUTPUT_QUIET ERROR_QUIET)
if(NOT Exit EQUAL 2)
  message(FATAL_ERROR "rtfview render on a missing path: exit '${Exit}', expected 2")
endif()
