// Windows XP has no GetTickCount64, yet the static threading runtime imports
// it. xp_compat.c defines GetTickCount64 and its import pointer inside each
// program (cmake/KvImports.cmake links it into every program of a Windows
// tree), so the program imports nothing XP lacks: the real function is used
// when kernel32 has it, and a GetTickCount-based count otherwise.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

// Extends a 32-bit millisecond tick (which wraps every 49.7 days) to 64 bits.
// *state keeps the wraps seen (high half) and the newest tick (low half);
// callers on several threads share it. A tick older than the newest one (a
// caller that lost a race) is placed in the wrap it came from. Assumes the
// count is read at least once every 24 days.
unsigned long long kv_ExtendTickCount(unsigned long tick, volatile unsigned long long* state);

#ifdef __cplusplus
}
#endif
