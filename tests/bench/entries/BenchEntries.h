// The benchmarks' 500 entries: all fourteen locations filled (every fifth entry
// switched off), with programs that do not exist, so nothing seeded can start.
#pragma once

// How many entries SeedBenchEntries writes.
constexpr int kBenchEntryCount = 500;

// Needs the shared shell link (CreateSharedShellLink). True when all were written.
bool SeedBenchEntries();
