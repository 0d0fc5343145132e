#pragma once

#include <functional>
#include <string>

// Kill trials against a save path: a child process saves two versions of a file in turn and is
// killed at varied moments while a save is writing; the file must then be byte for byte the one
// version or the other.
namespace lorvan::test {

// The number of kill trials: LORVAN_CRASH_TRIALS when set (scripts/crash-campaign runs many more),
// else a number that keeps the test suite quick. 0 when the variable holds no positive number.
int crashTrials();

struct CrashTrialTarget {
    std::string path;   // the file that is saved and checked
    std::string first;  // its bytes after save(1)
    std::string second; // its bytes after save(2)
    // Saves version 1 or 2 onto path. Runs in the child process (it may throw: the child then
    // ends by itself, which fails the trial) and once in the test process before the trials.
    std::function<void(int version)> save;
};

// Runs crashTrials() trials against the target (gtest failures on a torn file, a child that ended
// by itself or a save that never began to write) and records "trials" and "file_unchanged" as test
// properties. Each trial starts a child that saves the two versions in turn, waits until the
// child's first or second save has begun to write (a new entry named after the file, or a write
// into the file itself, seen through inotify), lets a random share of twice a save's duration pass
// and kills it. Temporary files of killed saves ("<name>.tmp…") stay behind; they are never read,
// so the trials only clear them. How fast the machine saves only changes where the kills land,
// never how many there are.
void runCrashTrials(const CrashTrialTarget& target);

} // namespace lorvan::test
