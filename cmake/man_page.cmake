# SPDX-License-Identifier: GPL-3.0-or-later
# Builds one manual page: its template in docs/man/ with the shared parts
# put in (@OPTIONS@, @RUN@, @ENVIRONMENT@, @STATUS@), then scdoc turns it into
# roff, which is also kept gzipped for installing.
#   cmake -DSCDOC=... -DSRC=<docs/man> -DPAGE=<name> -DVERSION=... -DAPP_ID=... -DOUT=<dir> -P man_page.cmake
foreach(part OPTIONS RUN ENVIRONMENT STATUS)
  string(TOLOWER ${part} file)
  file(READ ${SRC}/${file}.scd ${part})
endforeach()
set(ARBORIX_VERSION ${VERSION})
set(ARBORIX_APP_ID ${APP_ID})
file(READ ${SRC}/${PAGE}.1.scd.in text)
string(CONFIGURE "${text}" text @ONLY)
if(text MATCHES "@[A-Z_]+@")
  message(FATAL_ERROR "${PAGE}.1.scd.in: unknown part ${CMAKE_MATCH_0}")
endif()
file(MAKE_DIRECTORY ${OUT})
file(WRITE ${OUT}/${PAGE}.1.scd "${text}")
execute_process(COMMAND ${SCDOC} INPUT_FILE ${OUT}/${PAGE}.1.scd OUTPUT_FILE ${OUT}/${PAGE}.1
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "scdoc failed on ${OUT}/${PAGE}.1.scd")
endif()
execute_process(COMMAND gzip -9nc INPUT_FILE ${OUT}/${PAGE}.1 OUTPUT_FILE ${OUT}/${PAGE}.1.gz
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "gzip failed on ${OUT}/${PAGE}.1")
endif()
