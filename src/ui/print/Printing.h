// Prints the list of entries on the default printer without a print dialog: a
// heading, a table and page numbers within margins of 2 cm. Failures come back
// as a value for the caller to turn into a message.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "ui/print/PrintLayout.h"

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

struct Printout {
    std::vector<std::string> heading;  // the first line is the title, in bold
    PrintTable table;
    PageFooterFn footer;  // "page n of m"
};

// The heading of a printout: the title, then the computer's and the user's
// names and the date and time now, in the user's regional format.
std::vector<std::string> PrintoutHeading(const std::string& title, const std::function<std::string(int)>& text);
// The footer of the texts' "page %s of %s".
PageFooterFn PageNumbers(const std::function<std::string(int)>& text);

// Prints in the printer's sans-serif at 8 points, all within the margins, a
// new page only before a row that does not fit. A failing step abandons the
// job (AbortDoc), so that no half job is left in the queue.
PrintResult PrintTableOut(const Printout& printout, const std::string& documentName = "Bootmarshal");
