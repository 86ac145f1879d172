# SPDX-License-Identifier: MIT
# Writes OUTPUT: the file HEAD, then the section of the Markdown file README
# that opens with the line SECTION, up to the next heading of its level or
# the end. Run as cmake -DHEAD=... -DREADME=... -DSECTION=... -DOUTPUT=...
# -P RollwrightReadmeSection.cmake, so the section has one home, the README.
file(READ ${HEAD} head)
file(READ ${README} readme)
string(FIND "\n${readme}" "\n${SECTION}\n" start)
if(start EQUAL -1)
  message(FATAL_ERROR "${README} has no line ${SECTION}")
endif()
string(SUBSTRING "${readme}" ${start} -1 section)
string(REGEX MATCH "^#+ " level "${SECTION}")
string(LENGTH "${SECTION}" skip)
string(SUBSTRING "${section}" ${skip} -1 rest)
string(FIND "${rest}" "\n${level}" end)
if(NOT end EQUAL -1)
  math(EXPR end "${end} + 1")
  string(SUBSTRING "${rest}" 0 ${end} rest)
endif()
string(REGEX REPLACE "\n+$" "\n" rest "${rest}")
file(WRITE ${OUTPUT} "${head}${SECTION}${rest}")
