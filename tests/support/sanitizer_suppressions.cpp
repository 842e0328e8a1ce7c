// Leaks inside system libraries, reported by the sanitizer build: not ours
// to mend. fontconfig loses a little memory while parsing its configuration.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }
