#pragma once

#include <QString>

// The benchmarks of voxmere-bench. Each lives in a source file of its own, prints its
// figures as "name: value" lines on stdout and answers 0, or non-zero when it could not
// measure (what went wrong goes to stderr). To add one: write its function in a new
// file, declare it here and list it in main.cpp.
int benchGsmEncode();  // bench_gsm_encode.cpp
int benchListening();  // bench_listening.cpp
int benchFindCalls();  // bench_findcalls.cpp
int benchPlayFuzz();   // bench_playfuzz.cpp
int benchSettingsWrites(); // bench_settings.cpp
int benchReview();     // bench_review.cpp
int benchShare();          // bench_share.cpp

namespace Bench {

void report(const char *name, double value, int decimals = 3);
// CPU time of this process (all its threads) and of its waited-for children.
double processCpuSeconds();
double childrenCpuSeconds();
// This process's resident memory.
double residentMegabytes();
// The source tree, for scripts/.
QString sourceDir();

// Starts a sound server of the benchmarks' own (scripts/sound-server), once, and leads
// this process to it; it stops when they are done. Qt connects on the process's first
// use of sound, which must come after. False when it does not start.
bool useOwnSoundServer();

// Starts a share of the benchmarks' own (scripts/share-server), once, and answers its
// folder (export, a and b in it); it stops when they are done, however they end. Empty,
// with the reason, when there is none.
QString useOwnShare(QString *why);

} // namespace Bench
