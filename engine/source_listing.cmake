# Joins SOURCES (full paths) into OUTPUT: each file under a one-line header
# with its path relative to BASE, LF turned into CR LF, and the whole text
# converted from UTF-8 to cp932. A character cp932 lacks fails the build.
set(joined "")
foreach(source IN LISTS SOURCES)
  file(RELATIVE_PATH name ${BASE} ${source})
  file(READ ${source} text)
  string(APPEND joined "// ===== ${name} =====\n${text}\n")
endforeach()
string(REPLACE "\n" "\r\n" joined "${joined}")
set(utf8 ${OUTPUT}.utf8)
file(WRITE ${utf8} "${joined}")
find_program(ICONV iconv REQUIRED)
execute_process(
  COMMAND ${ICONV} -f UTF-8 -t CP932 ${utf8}
  OUTPUT_FILE ${OUTPUT}.tmp
  ERROR_VARIABLE iconv_error
  RESULT_VARIABLE iconv_result)
file(REMOVE ${utf8})
if(NOT iconv_result EQUAL 0)
  file(REMOVE ${OUTPUT}.tmp)
  message(FATAL_ERROR "Lumicore-1.cpp: the engine sources hold a character cp932 lacks: ${iconv_error}")
endif()
file(RENAME ${OUTPUT}.tmp ${OUTPUT})
