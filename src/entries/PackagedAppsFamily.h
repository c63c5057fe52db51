// Packaged apps' startup tasks as entries of the location kind kPackagedAppTasks:
// one entry per task, named by its package's display name (and the task, when
// the package has more than one), its program the command. Switched off and on
// through the State Settings keeps for the task, never written anew, edited,
// moved or deleted: the task goes with its package.
#pragma once
#include <string>

#include "entries/RunCheck.h"
#include "entries/StartupEntry.h"

// Why a listed task will not start, from what the last listing read of it:
// a policy keeps it off; None when nothing is known against it.
NotRunReason WhyPackagedTaskWillNotStart(const StartupEntry& entry);
