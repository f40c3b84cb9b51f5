# Writes the bytes of INPUT as a C++ array named SYMBOL into OUTPUT.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DSYMBOL=... -P EmbedFile.cmake
file(READ "${INPUT}" Hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," Bytes "${Hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" Bytes "${Bytes}")
file(WRITE "${OUTPUT}"
  "// Generated at build time from ${INPUT}.\n#include <cstddef>\n\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${Bytes}};\n"
  "extern const std::size_t ${SYMBOL}Size = sizeof(${SYMBOL});\n")
