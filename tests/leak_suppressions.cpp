// Fontconfig, loaded by Qt to draw text, keeps its configuration for the life of
// the process on purpose; the leak checker of sanitizer builds is told so.
// Linked into every test and Qt benchmark program as an object, so none can miss it.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
