// Interposing on a Windows API call of this test program: its import slot is
// pointed at a recorder, which passes the call on to the real function.
#ifndef TESTS_API_HOOK_H
#define TESTS_API_HOOK_H

// Replaces *slot with replacement; returns what the slot held.
void* PatchImport(void** slot, void* replacement);

#endif
