// The sanitizer build's defaults, linked into every program of that build.
// Built in rather than set in ASAN_OPTIONS: the Wayland sessions start the
// program as their own user with a scrubbed environment. The variables still
// override them for a run by hand.

extern "C" {

// GTK, GLib and fontconfig keep caches for the life of the process, which
// the leak check at exit reports by the hundred: leaks are not checked.
const char* __asan_default_options() {
    return "detect_leaks=0";
}

// -fno-sanitize-recover already stops at the first finding; the stack says
// where it came from.
const char* __ubsan_default_options() {
    return "print_stacktrace=1:halt_on_error=1";
}
}
