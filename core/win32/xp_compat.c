/* A C file, so the kvwin32 library (built from the C++ files of this folder)
 * leaves it out: the definitions below must be linked straight into each
 * program, ahead of the import libraries, or kernel32's would win. See
 * xp_compat.h. */
#undef _WIN32_WINNT
#define _WIN32_WINNT 0x0501 /* keeps windows.h from declaring GetTickCount64 */
#include "core/win32/xp_compat.h"

#include <windows.h>

#define KV_HALF_RANGE 0x80000000UL

unsigned long long kv_ExtendTickCount(unsigned long tick, volatile unsigned long long* state) {
    unsigned long long seen = __atomic_load_n(state, __ATOMIC_ACQUIRE);
    for (;;) {
        const unsigned long newest = (unsigned long)(seen & 0xFFFFFFFFUL);
        const unsigned long long wraps = seen >> 32;
        if ((unsigned long)(tick - newest) >= KV_HALF_RANGE) {
            /* Older than the newest tick: same wrap, or the one before when the
             * newest tick has already wrapped past it. */
            const unsigned long long wrap = (tick > newest && wraps > 0) ? wraps - 1 : wraps;
            return (wrap << 32) | tick;
        }
        const unsigned long long next = ((tick < newest ? wraps + 1 : wraps) << 32) | tick;
        if (__atomic_compare_exchange_n(state, &seen, next, 0, __ATOMIC_ACQ_REL, __ATOMIC_ACQUIRE)) return next;
    }
}

typedef ULONGLONG(WINAPI* TickCount64Function)(void);

static volatile unsigned long long kv_tick_state;

static ULONGLONG WINAPI kv_TickCountFromTickCount(void) { return kv_ExtendTickCount(GetTickCount(), &kv_tick_state); }

static TickCount64Function kv_TickCount64Source(void) {
    static TickCount64Function source; /* found once; racing threads find the same */
    TickCount64Function found = __atomic_load_n(&source, __ATOMIC_ACQUIRE);
    if (found == NULL) {
        HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
        FARPROC real = kernel32 != NULL ? GetProcAddress(kernel32, "GetTickCount64") : NULL;
        found = real != NULL ? (TickCount64Function)(void*)real : kv_TickCountFromTickCount;
        __atomic_store_n(&source, found, __ATOMIC_RELEASE);
    }
    return found;
}

ULONGLONG WINAPI GetTickCount64(void);

ULONGLONG WINAPI GetTickCount64(void) { return kv_TickCount64Source()(); }

/* The import-table slot the runtime calls through (__imp_ + the decorated name). */
#if defined(__i386__)
#define KV_IMPORT_SLOT "__imp__GetTickCount64@0"
#else
#define KV_IMPORT_SLOT "__imp_GetTickCount64"
#endif
TickCount64Function const kv_GetTickCount64_import __asm__(KV_IMPORT_SLOT) = GetTickCount64;
