# Writes OUTPUT, a C++ file holding the bytes of MAP and MASK (see map_assets.h).
function(bytes file name out)
    file(READ ${file} hex HEX)
    string(LENGTH "${hex}" digits)
    math(EXPR size "${digits} / 2")
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
    string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" hex "${hex}")
    set(${out} "const unsigned char ${name}[] = {\n${hex}\n};\nconst std::size_t ${name}Size = ${size};\n" PARENT_SCOPE)
endfunction()
bytes(${MAP} kMap map)
bytes(${MASK} kMask mask)
file(WRITE ${OUTPUT} "// Made by results/embed_map.cmake from assets/europe_map.png and its mask.
#include \"map_assets.h\"

namespace brindora::mapassets {

${map}
${mask}
} // namespace brindora::mapassets
")
