# Writes OUTPUT, a C++ file holding the PNG icons of ICON_DIR
# (tavik-<size>.png for each of SIZES) as byte arrays.
set(body "// Generated from data/icons by embed_icons.cmake.\n#include \"app/program_icons.h\"\n\nnamespace tavik {\n\nnamespace {\n")
set(table "")
foreach(size ${SIZES})
    file(READ ${ICON_DIR}/tavik-${size}.png bytes HEX)
    string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
    string(APPEND body "const unsigned char kIcon${size}[] = {${bytes}};\n")
    string(APPEND table "    {kIcon${size}, sizeof kIcon${size}},\n")
endforeach()
string(APPEND body "}  // namespace\n\nconst std::vector<PngData>& ProgramIconPngs() {\n    static const std::vector<PngData> icons = {\n${table}    };\n    return icons;\n}\n\n}  // namespace tavik\n")
file(WRITE ${OUTPUT} "${body}")
