// Placeholder main window of the interactive mode, until the real main window
// lands: an empty top-level window of class "TForm1" that closes normally. Its
// creation ends, as the real one's will, with the start of the backup store.
#pragma once

int RunPlaceholderMainWindow();
