// Leaks the leak checker should not blame on us: the font library keeps its caches until
// the process ends, and Qt's font database holds on to them by design.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
