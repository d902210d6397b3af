// Fontconfig keeps caches for the life of the process (Qt's offscreen fonts).
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
