// Prints text lines on the default printer without a print dialog. Failures
// come back as a value for the caller to turn into a message.
#pragma once
#include <string>
#include <vector>

enum class PrintOutcome {
    Printed,
    NoPrinter,     // no default printer is set up
    PrinterError,  // the printer could not be opened or refused the job
};

struct PrintResult {
    PrintOutcome outcome = PrintOutcome::PrinterError;
    int pages = 0;        // pages sent to the printer
    std::string printer;  // the default printer's name, when there is one
    bool ok() const { return outcome == PrintOutcome::Printed; }
};

// Prints the lines top to bottom from the top left of the printable area, in
// the printer's own default sans-serif at 10 points; a line wider than the
// page continues on the next line rather than running off the paper, and a new
// page starts only before a line that does not fit. A failing step abandons the
// job (AbortDoc), so that no half job is left in the queue.
PrintResult PrintLines(const std::vector<std::string>& lines, const std::string& documentName = "Bootmarshal");
