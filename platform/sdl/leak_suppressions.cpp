// Leaks that LeakSanitizer reports inside system libraries, which the project
// cannot fix: libdbus keeps about 1 KB that SDL_Init allocates through it.
// Only those libraries are named, so a leak of the project's own code still
// fails a sanitizer build. The sanitizer runtime calls these hooks at
// start-up; without it they are never called.
extern "C" __attribute__((used)) const char* __lsan_default_suppressions() {
    return "leak:libdbus-1.so\n";
}

// A suppressed leak is not news: no "Suppressions used" table on stderr.
extern "C" __attribute__((used)) const char* __lsan_default_options() {
    return "print_suppressions=0";
}
