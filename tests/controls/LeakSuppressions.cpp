// fontconfig keeps caches it allocates for Qt's font lookups until the process ends, which
// LeakSanitizer reports as leaks of the test program. They are not ours to free.
extern "C" const char* __lsan_default_suppressions();
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
