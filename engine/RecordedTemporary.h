#pragma once
// The temporary file a write has in progress, recorded where a signal handler can reach it: a
// run ended by a signal must not leave the hidden temporary behind. The name is recorded before
// the file exists and forgotten only once the file has been renamed or removed; the interrupt
// signals are held back meanwhile, so a handler never sees a half-written name or a name that
// is no longer ours. One temporary at a time: the run is single-threaded.

#include <csignal>
#include <string>

// Signals that end the run and that the console catches to clean up before it goes.
inline constexpr int InterruptSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Creates a fresh file from `pattern`, whose last six characters "XXXXXX" are replaced as
// mkstemp does, and records it. Returns the open descriptor, or -1 with errno set.
int createRecordedTemporary(std::string& pattern);

// Renames the recorded temporary to `target` and forgets it. Returns 0, or the errno of the
// failed rename; the temporary then stays recorded.
int renameRecordedTemporary(const std::string& target);

// Removes the recorded temporary, if any, and forgets it.
void removeRecordedTemporary();

// For signal handlers: unlinks the recorded temporary, if any. Async-signal-safe.
void unlinkRecordedTemporaryInHandler();
