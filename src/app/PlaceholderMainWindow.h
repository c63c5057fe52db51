// Placeholder main window of the interactive mode, until the real main window
// lands: an empty top-level window of class "TForm1" that closes normally.
#pragma once

int RunPlaceholderMainWindow();
