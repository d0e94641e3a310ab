# Writes a C++ source that holds the bytes of INPUT as the body of FUNCTION.
# Usage: cmake -DINPUT=... -DOUTPUT=... -DFUNCTION=... -P embed_file.cmake
file(READ "${INPUT}" hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "'\\\\x\\1'," bytes "${hex}")
string(REGEX REPLACE "(([^,]*,){16})" "\\1\n        " bytes "${bytes}")
file(WRITE "${OUTPUT}.tmp"
"// Generated from ${INPUT}; do not edit.\n"
"#include <string_view>\n\n"
"namespace brackwell::resources {\n\n"
"std::string_view ${FUNCTION}() {\n"
"    static constexpr char kBytes[] = {\n        ${bytes}'\\0'};\n"
"    return {kBytes, sizeof kBytes - 1};\n"
"}\n\n"
"}  // namespace brackwell::resources\n")
file(COPY_FILE "${OUTPUT}.tmp" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.tmp")
