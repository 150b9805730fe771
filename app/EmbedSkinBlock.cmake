# Writes the final main form description: Main.pbform with its one binary value
# "{@DEFAULT_SKIN_BLOCK@}" replaced by the compiled-in skin's zlib block, taken from a
# compressed skin file (32-bit format value 1, 32-bit length L, L bytes of zlib data).
#   cmake -DINPUT=<Main.pbform> -DSKIN=<file.skin> -DOUTPUT=<file.pbform> -P EmbedSkinBlock.cmake
set(marker "{@DEFAULT_SKIN_BLOCK@}")

file(READ "${SKIN}" hex HEX)
string(LENGTH "${hex}" hexLength)
if(hexLength LESS 16)
  message(FATAL_ERROR "${SKIN}: too short for a compressed skin file")
endif()
string(SUBSTRING "${hex}" 0 8 format)
if(NOT format STREQUAL "01000000")
  message(FATAL_ERROR "${SKIN}: format value is not 1")
endif()
# The little-endian length, checked against what follows.
string(SUBSTRING "${hex}" 8 8 lengthHex)
set(length 0)
foreach(i 6 4 2 0)
  string(SUBSTRING "${lengthHex}" ${i} 2 byte)
  math(EXPR length "${length} * 256 + 0x${byte}")
endforeach()
math(EXPR expected "(${hexLength} - 16) / 2")
if(NOT length EQUAL expected OR length EQUAL 0)
  message(FATAL_ERROR "${SKIN}: length field ${length} does not match the ${expected} bytes that follow")
endif()
string(SUBSTRING "${hex}" 16 -1 block)
string(TOUPPER "${block}" block)

file(READ "${INPUT}" text)
string(FIND "${text}" "${marker}" at)
string(FIND "${text}" "${marker}" lastAt REVERSE)
if(at EQUAL -1 OR NOT at EQUAL lastAt)
  message(FATAL_ERROR "${INPUT}: expected exactly one ${marker}")
endif()

# Indent the hex lines two blanks deeper than the property line.
string(SUBSTRING "${text}" 0 ${at} before)
string(REGEX MATCH "[ ]*[A-Za-z]+ = $" propertyLine "${before}")
string(REGEX MATCH "^[ ]*" indent "${propertyLine}")
set(indent "${indent}  ")

set(lines "{")
set(pos 0)
math(EXPR total "${length} * 2")
while(pos LESS total)
  string(SUBSTRING "${block}" ${pos} 64 chunk)
  string(APPEND lines "\n${indent}${chunk}")
  math(EXPR pos "${pos} + 64")
endwhile()
string(APPEND lines "}")
string(REPLACE "${marker}" "${lines}" text "${text}")

file(WRITE "${OUTPUT}.tmp" "${text}")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
