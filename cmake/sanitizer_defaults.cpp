// Default options of the sanitizers, linked into every executable of a checked build
// (VELKARO_SANITIZE). The environment (ASAN_OPTIONS, LSAN_OPTIONS, UBSAN_OPTIONS) still overrides them.
extern "C" {

const char* __asan_default_options() {
    // A finding ends the process with exit code 1 and a symbolized report; leaks are checked at exit.
    return "detect_leaks=1:strict_init_order=1:check_initialization_order=1:"
           "detect_stack_use_after_return=1";
}

const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}

// Leaks that are not ours, each naming the system library that holds the memory, so a leak in our own
// code still fails:
// - libpulse: Qt Multimedia's audio output opens a PulseAudio context (and its main loop) once per
//   process and keeps it until exit; the library allocates it with its own pa_xmalloc, which Qt never
//   frees.
// - libfontconfig: Qt's font database asks fontconfig for a fallback font the first time a text holds
//   a script no loaded font covers, and keeps the pattern fontconfig made for it in its cache for the
//   process's life.
const char* __lsan_default_suppressions() {
    return "leak:libpulse.so\n"
           "leak:libfontconfig.so\n";
}
}
