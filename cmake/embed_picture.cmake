# Writes a picture file as a C++ byte array: a header with its declaration and a source with the bytes.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")

# avatar + .jpg -> kAvatarJpg; snake_case stems become UpperCamelCase.
string(REPLACE "_" ";" words "${STEM}")
string(SUBSTRING "${EXTENSION}" 1 -1 extension_word)
list(APPEND words ${extension_word})
set(symbol "k")
foreach(word ${words})
  string(SUBSTRING "${word}" 0 1 first)
  string(SUBSTRING "${word}" 1 -1 rest)
  string(TOUPPER "${first}" first)
  string(APPEND symbol "${first}${rest}")
endforeach()

file(WRITE ${HEADER} "// Generated from ui/pictures/${STEM}${EXTENSION}: the picture's bytes.\n#pragma once\n#include <cstdint>\nextern const std::uint8_t ${symbol}[${size}];\n")
file(WRITE ${SOURCE} "// Generated from ui/pictures/${STEM}${EXTENSION}.\n#include \"pictures/${STEM}.h\"\nconst std::uint8_t ${symbol}[${size}] = {\n${bytes}};\n")
