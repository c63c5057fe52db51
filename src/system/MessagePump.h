// Lets pending window messages run, so windows stay responsive in long loops.
#pragma once

void ProcessPendingMessages();
