// The benchmarks' scheduled tasks and packaged apps: 50 task definitions that
// start a program at logon or at boot, written as the Task Scheduler exports
// them, handed out by a stand-in Task Scheduler (Wine's keeps neither the
// triggers nor the actions of a task it registers), and 10 packages laid out as
// Windows installs them for the user (the repository's keys, the manifest in
// the package's folder, the state Settings keeps for some of their startup
// tasks). Their programs do not exist, like those of the classic entries.
#pragma once

constexpr int kBenchTaskCount = 50;
constexpr int kBenchPackageCount = 10;
// Every package holds one startup task, two of them a second.
constexpr int kBenchPackagedTaskCount = 12;

// Puts the stand-in Task Scheduler in place and lays out the packages; true
// when everything was written.
bool SeedBenchTasksAndPackages();

// Starts Wine's Task Scheduler service and registers the same 50 definitions
// with it (it keeps the tasks, though neither their triggers nor their
// actions); how many it took. The walk of its folders then costs what a
// refresh pays for the real service.
int RegisterBenchTasksWithTheService();
