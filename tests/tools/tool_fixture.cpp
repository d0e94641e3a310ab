#include "tests/tools/tool_fixture.h"

namespace brackwell::tools::testing {

const std::string kExampleRegistry =
    "Windows Registry Editor Version 5.00\n"
    "[HKEY_CURRENT_USER\\Software\\Example]\n"
    "@=\"default text\"\n"
    "\"Name\"=\"hello world\"\n"
    "\"Size\"=dword:0000000c\n"
    "\"Bytes\"=hex:01,02,ff\n"
    "\"List\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
    "\"Path\"=hex(2):25,00,50,00,00,00\n"
    "[HKEY_CURRENT_USER\\Software\\Example\\Sub]\n"
    "\"Server\"=\"files.example\"\n"
    "[HKEY_CURRENT_USER\\Software\\Example\\Sub\\Deeper]\n"
    "[HKEY_CURRENT_USER\\Software\\Other]\n"
    "\"Name\"=\"hello world\"\n"
    "\"Size\"=dword:0000000d\n"
    "[HKEY_CURRENT_USER\\Software\\Empty]\n";

}  // namespace brackwell::tools::testing
