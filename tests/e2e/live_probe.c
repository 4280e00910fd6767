// Preloaded into the running demo (LD_PRELOAD) to watch it from inside without changing it:
// it wraps the idle and display callbacks that the program hands to GLUT, counts the ticks and
// frames, times them, and counts heap allocations made while they run.
//
// PAPERCROWD_PROBE_OUT names a file; on every SIGUSR1, and at exit, one line is appended:
//   seconds ticks frames tickSeconds frameSeconds tickAllocations frameAllocations
//   programTickAllocations programFrameAllocations allAllocations
// seconds: the monotonic clock; tick/frameSeconds: time spent inside the callbacks;
// tick/frameAllocations: allocations made on the program's thread while a callback ran, by
// anyone (the GL driver included); program...: those of them that the program's own code asked
// for, i.e. whose innermost caller outside the C and C++ runtimes lies in the executable (only
// with PAPERCROWD_PROBE_CALLERS set, since unwinding every allocation slows the frames; else 0);
// allAllocations: every allocation of every thread since start.
// The line is written by the program's own thread between two callbacks, not in the handler.

#define _GNU_SOURCE
#include <dlfcn.h>
#include <execinfo.h>
#include <fcntl.h>
#include <link.h>
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

extern void* __libc_malloc(size_t size);
extern void* __libc_calloc(size_t count, size_t size);
extern void* __libc_realloc(void* block, size_t size);
extern void* __libc_memalign(size_t alignment, size_t size);

typedef void (*Callback)(void);
typedef void (*RegisterCallback)(Callback);

static Callback programIdle;
static Callback programDisplay;

static uint64_t ticks, frames, tickAllocations, frameAllocations;
static uint64_t programTickAllocations, programFrameAllocations;
static double tickSeconds, frameSeconds;
static uint64_t allAllocations;  // every thread: updated atomically
static int tracingCallers;       // PAPERCROWD_PROBE_CALLERS set: attribute each allocation (slow)
static __thread int insideCallback;  // 1 in the idle callback, 2 in the display callback
static __thread int unwinding;       // the unwinder may allocate itself
static volatile sig_atomic_t reportWanted;

// The executable's code, where the program's own frames lie.
static uintptr_t programCodeStart, programCodeEnd;

static int findProgramCode(struct dl_phdr_info* info, size_t size, void* data) {
  (void)size;
  (void)data;
  for (int i = 0; i < info->dlpi_phnum; ++i) {
    const ElfW(Phdr)* segment = &info->dlpi_phdr[i];
    if (segment->p_type != PT_LOAD || !(segment->p_flags & PF_X)) continue;
    programCodeStart = info->dlpi_addr + segment->p_vaddr;
    programCodeEnd = programCodeStart + segment->p_memsz;
  }
  return 1;  // the first object is the executable
}

// Frames of the runtimes that stand between a caller and the heap: the C library, operator new,
// the unwinder and this probe.
static int isRuntimeFrame(void* address) {
  Dl_info info;
  if (!dladdr(address, &info) || info.dli_fname == NULL) return 0;
  static const char* const runtimes[] = {"libc.so", "libstdc++.so", "libgcc_s.so", "live_probe",
                                         "libm.so"};
  for (size_t i = 0; i < sizeof runtimes / sizeof runtimes[0]; ++i)
    if (strstr(info.dli_fname, runtimes[i]) != NULL) return 1;
  return 0;
}

static int programAsked(void) {
  void* frames[64];
  unwinding = 1;
  const int depth = backtrace(frames, 64);
  unwinding = 0;
  for (int i = 0; i < depth; ++i) {
    const uintptr_t address = (uintptr_t)frames[i];
    if (address >= programCodeStart && address < programCodeEnd) return 1;
    if (!isRuntimeFrame(frames[i])) return 0;
  }
  return 0;
}

static void countAllocation(void) {
  __atomic_fetch_add(&allAllocations, 1, __ATOMIC_RELAXED);
  if (insideCallback == 0 || unwinding) return;
  const int mine = tracingCallers ? programAsked() : 0;
  if (insideCallback == 1) {
    ++tickAllocations;
    programTickAllocations += (uint64_t)mine;
  } else {
    ++frameAllocations;
    programFrameAllocations += (uint64_t)mine;
  }
}

void* malloc(size_t size) {
  countAllocation();
  return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
  countAllocation();
  return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
  countAllocation();
  return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size) {
  countAllocation();
  return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
  countAllocation();
  return __libc_memalign(alignment, size);
}

int posix_memalign(void** block, size_t alignment, size_t size) {
  countAllocation();
  void* p = __libc_memalign(alignment, size);
  if (p == NULL) return 12;  // ENOMEM
  *block = p;
  return 0;
}

static double nowSeconds(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (double)t.tv_sec + (double)t.tv_nsec * 1e-9;
}

static void writeReport(void) {
  const char* path = getenv("PAPERCROWD_PROBE_OUT");
  if (path == NULL) return;
  char line[320];
  const int length = snprintf(
      line, sizeof line, "%.6f %llu %llu %.6f %.6f %llu %llu %llu %llu %llu\n", nowSeconds(),
      (unsigned long long)ticks, (unsigned long long)frames, tickSeconds, frameSeconds,
      (unsigned long long)tickAllocations, (unsigned long long)frameAllocations,
      (unsigned long long)programTickAllocations, (unsigned long long)programFrameAllocations,
      (unsigned long long)__atomic_load_n(&allAllocations, __ATOMIC_RELAXED));
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  if (length > 0 && write(fd, line, (size_t)length) < 0) {
    // nothing to do: a lost report shows as a missing line
  }
  close(fd);
}

static void onReportSignal(int signalNumber) {
  (void)signalNumber;
  reportWanted = 1;
}

static void idleWrapper(void) {
  if (reportWanted) {
    reportWanted = 0;
    writeReport();
  }
  const double start = nowSeconds();
  insideCallback = 1;
  programIdle();
  insideCallback = 0;
  tickSeconds += nowSeconds() - start;
  ++ticks;
}

// "# renderer: ..." once, from the first frame, when the GL context is current.
static void reportRenderer(void) {
  const char* path = getenv("PAPERCROWD_PROBE_OUT");
  void* symbol = dlsym(RTLD_DEFAULT, "glGetString");
  if (path == NULL || symbol == NULL) return;
  const unsigned char* (*getString)(unsigned int);
  memcpy(&getString, &symbol, sizeof getString);
  const unsigned char* renderer = getString(0x1F01);  // GL_RENDERER
  char line[256];
  const int length =
      snprintf(line, sizeof line, "# renderer: %s\n", renderer ? (const char*)renderer : "?");
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  if (length > 0 && write(fd, line, (size_t)length) < 0) {
    // a lost line only loses the renderer's name
  }
  close(fd);
}

static void displayWrapper(void) {
  if (frames == 0) reportRenderer();
  const double start = nowSeconds();
  insideCallback = 2;
  programDisplay();
  insideCallback = 0;
  frameSeconds += nowSeconds() - start;
  ++frames;
}

static RegisterCallback nextRegistration(const char* name) {
  RegisterCallback next;
  void* symbol = dlsym(RTLD_NEXT, name);
  memcpy(&next, &symbol, sizeof next);
  return next;
}

void glutIdleFunc(Callback callback) {
  programIdle = callback;
  nextRegistration("glutIdleFunc")(callback ? idleWrapper : NULL);
}

void glutDisplayFunc(Callback callback) {
  programDisplay = callback;
  nextRegistration("glutDisplayFunc")(callback ? displayWrapper : NULL);
}

// A note line in the report.
static void writeNote(const char* note) {
  const char* path = getenv("PAPERCROWD_PROBE_OUT");
  if (path == NULL) return;
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND, 0644);
  if (fd < 0) return;
  if (write(fd, note, strlen(note)) < 0) {
    // a lost note reads as the default
  }
  close(fd);
}

__attribute__((constructor)) static void startProbe(void) {
  // An allocator linked into the executable (a sanitizer's) takes the calls before this one can.
  Dl_info allocator, probe;
  void (*self)(void) = writeReport;
  void* selfAddress;
  memcpy(&selfAddress, &self, sizeof selfAddress);
  if (!dladdr(dlsym(RTLD_DEFAULT, "malloc"), &allocator) || !dladdr(selfAddress, &probe) ||
      allocator.dli_fbase != probe.dli_fbase)
    writeNote("# heap: not watched\n");
  tracingCallers = getenv("PAPERCROWD_PROBE_CALLERS") != NULL;
  if (tracingCallers) {
    dl_iterate_phdr(findProgramCode, NULL);
    void* warmUp[4];
    backtrace(warmUp, 4);  // loads the unwinder now, not inside a callback
  }
  struct sigaction action;
  memset(&action, 0, sizeof action);
  action.sa_handler = onReportSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGUSR1, &action, NULL);
}

__attribute__((destructor)) static void finishProbe(void) { writeReport(); }
