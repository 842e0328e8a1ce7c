/* Counts heap allocations per thread of a program it is preloaded into:
 *
 *   LD_PRELOAD=build/bench/libmd4_alloc_count.so MD4_ALLOC_WINDOW=4,14 \
 *   MD4_ALLOC_REPORT=/tmp/allocs.txt build/game
 *
 * Only allocations between 4 and 14 s after the start are counted; at the
 * end of the window one line per thread that allocated ("tid name count")
 * is written to the report file. The counting itself never allocates. */
#define _GNU_SOURCE
#include <pthread.h>
#include <stdatomic.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

#define MaxThreads 256
static struct {
    atomic_int tid;
    atomic_long count;
} threads[MaxThreads];
static atomic_int counting;
static __thread int slot = -1;

static void note(void) {
    if (!atomic_load_explicit(&counting, memory_order_relaxed)) return;
    if (slot < 0) {
        const int tid = (int)syscall(SYS_gettid);
        for (int i = 0; i < MaxThreads; ++i) {
            int expected = 0;
            if (atomic_load(&threads[i].tid) == tid ||
                atomic_compare_exchange_strong(&threads[i].tid, &expected, tid)) {
                slot = i;
                break;
            }
        }
        if (slot < 0) return;
    }
    atomic_fetch_add_explicit(&threads[slot].count, 1, memory_order_relaxed);
}

void* malloc(size_t size) { note(); return __libc_malloc(size); }
void* calloc(size_t count, size_t size) { note(); return __libc_calloc(count, size); }
void* realloc(void* p, size_t size) { note(); return __libc_realloc(p, size); }
void* memalign(size_t alignment, size_t size) { note(); return __libc_memalign(alignment, size); }
void* aligned_alloc(size_t alignment, size_t size) { note(); return __libc_memalign(alignment, size); }
int posix_memalign(void** out, size_t alignment, size_t size) {
    note();
    void* p = __libc_memalign(alignment, size);
    if (p == NULL) return 12;
    *out = p;
    return 0;
}
void free(void* p) { __libc_free(p); }

static double startSeconds, endSeconds;

static void sleepSeconds(double s) {
    struct timespec ts = {(time_t)s, (long)((s - (double)(time_t)s) * 1e9)};
    nanosleep(&ts, NULL);
}

static void* reporter(void* unused) {
    (void)unused;
    sleepSeconds(startSeconds);
    atomic_store(&counting, 1);
    sleepSeconds(endSeconds - startSeconds);
    atomic_store(&counting, 0);
    const char* path = getenv("MD4_ALLOC_REPORT");
    FILE* out = path ? fopen(path, "w") : stderr;
    if (out == NULL) return NULL;
    for (int i = 0; i < MaxThreads; ++i) {
        const int tid = atomic_load(&threads[i].tid);
        if (tid == 0) continue;
        char name[64] = "?", file[64];
        snprintf(file, sizeof file, "/proc/self/task/%d/comm", tid);
        FILE* comm = fopen(file, "r");
        if (comm != NULL) {
            if (fgets(name, sizeof name, comm) != NULL) name[strcspn(name, "\n")] = '\0';
            fclose(comm);
        }
        fprintf(out, "%d %s %ld%s\n", tid, name, atomic_load(&threads[i].count), tid == getpid() ? " main" : "");
    }
    if (out != stderr) fclose(out);
    return NULL;
}

__attribute__((constructor)) static void startWindow(void) {
    const char* window = getenv("MD4_ALLOC_WINDOW");
    if (window == NULL || sscanf(window, "%lf,%lf", &startSeconds, &endSeconds) != 2 || endSeconds <= startSeconds)
        return;
    pthread_t thread;
    if (pthread_create(&thread, NULL, reporter, NULL) == 0) pthread_detach(thread);
}
