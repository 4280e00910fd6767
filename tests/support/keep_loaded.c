/* Preloaded into every process of the asan test preset. Keeps every shared library loaded until the
   process ends, so that LeakSanitizer can still name the library that made an allocation when it
   checks at exit: Mesa unloads its driver when freeglut tears the window down, and a driver's leaks
   would otherwise be reported from an unknown module that no suppression can match. */
int dlclose(void* handle) {
  (void)handle;
  return 0;
}
