/* inactive.exe: what Windows starts in place of a switched-off autostart entry,
 * with the entry's command line as its arguments. It must never start what the
 * arguments name, and it runs at every logon, so it is as small as a Windows
 * program gets: no C runtime, no window, no console, kernel32 only; it reads
 * nothing and exits with code 0. */
#include <windows.h>

void __stdcall InactiveEntry(void) { ExitProcess(0); }
