# Script mode: writes INPUT's bytes as a C++ array named SYMBOL in NAMESPACE to OUTPUT.
file(READ ${INPUT} hex HEX)
string(LENGTH "${hex}" hex_length)
math(EXPR size "${hex_length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE ${OUTPUT} "#include <cstddef>\nnamespace ${NAMESPACE} {\nextern const unsigned char ${SYMBOL}[];\nextern const std::size_t ${SYMBOL}_size;\nalignas(16) const unsigned char ${SYMBOL}[] = {\n${bytes}0x00};\nconst std::size_t ${SYMBOL}_size = ${size};\n}\n")
