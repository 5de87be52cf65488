// ThreadSanitizer's defaults for the test programs (linked into them in the ThreadSanitizer
// tree only); TSAN_OPTIONS still overrides them.
//
// At exit the runtime waits a second for threads still running, so they can report races with
// what the exit destroys. A test program ends after its last test, with the kit's threads idle:
// the wait finds nothing and would cost each of the hundreds of test processes a second. The
// hosts the tests start (the exit child, wallet-cli) do not link this file: their ends are
// under test, and they keep the wait.
extern "C" const char* __tsan_default_options() {
    return "atexit_sleep_ms=0";
}
