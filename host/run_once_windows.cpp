// Static-initialisation guards and pthread_once for MinGW modules, over one Win32 lock. The C++ runtime's
// versions go through the threads library, whose first use on a thread takes a thread-local slot that it never
// gives back. Both keep their state in the caller's object: byte 0 set once done, byte 1 while running.
#include <windows.h>

#include <cstdint>

namespace {

SRWLOCK lock = SRWLOCK_INIT;
CONDITION_VARIABLE finished = CONDITION_VARIABLE_INIT;

// True when the caller is to run the initialisation (then Finish or Abandon); false once it has run.
bool Begin(unsigned char* state) {
  if (__atomic_load_n(&state[0], __ATOMIC_ACQUIRE)) return false;
  AcquireSRWLockExclusive(&lock);
  for (;;) {
    if (state[0]) {
      ReleaseSRWLockExclusive(&lock);
      return false;
    }
    if (!state[1]) {
      state[1] = 1;
      ReleaseSRWLockExclusive(&lock);
      return true;
    }
    SleepConditionVariableSRW(&finished, &lock, INFINITE, 0);
  }
}

void End(unsigned char* state, bool done) {
  AcquireSRWLockExclusive(&lock);
  if (done) __atomic_store_n(&state[0], 1, __ATOMIC_RELEASE);
  state[1] = 0;
  ReleaseSRWLockExclusive(&lock);
  WakeAllConditionVariable(&finished);
}

unsigned char* StateOf(void* object) { return static_cast<unsigned char*>(object); }

}  // namespace

// The guard of a function-local static: 1 when the caller is to initialise it.
extern "C" int __cxa_guard_acquire(int64_t* guard) { return Begin(StateOf(guard)) ? 1 : 0; }
extern "C" void __cxa_guard_release(int64_t* guard) { End(StateOf(guard), true); }
extern "C" void __cxa_guard_abort(int64_t* guard) { End(StateOf(guard), false); }

// Every pthread_once of the module (the link wraps it): runs init once; an exception leaves it to run again.
extern "C" int __wrap_pthread_once(long* once, void (*init)(void)) {
  if (!Begin(StateOf(once))) return 0;
  try {
    init();
  } catch (...) {
    End(StateOf(once), false);
    throw;
  }
  End(StateOf(once), true);
  return 0;
}
