#include "ui/print/Printing.h"

#include <windows.h>
#include <winspool.h>

#include "ui/print/PrintLayout.h"
#include "ui/win/Gdi.h"

namespace {

// The name of the default printer; empty when none is set up.
std::string DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterA(nullptr, &size);
    if (size == 0) return std::string();
    std::string name(size, '\0');
    if (!GetDefaultPrinterA(&name[0], &size)) return std::string();
    name.resize(lstrlenA(name.c_str()));
    return name;
}

// Ends a started document on every path: EndDoc when all pages went out,
// AbortDoc otherwise.
class PrintJob {
public:
    PrintJob(HDC dc, const std::string& name) : dc_(dc) {
        DOCINFOA info{};
        info.cbSize = sizeof info;
        info.lpszDocName = name.c_str();
        started_ = StartDocA(dc, &info) > 0;
    }
    ~PrintJob() {
        if (started_) AbortDoc(dc_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;
    bool started() const { return started_; }
    bool Finish() {
        bool ended = EndDoc(dc_) > 0;
        if (ended) started_ = false;
        return ended;
    }

private:
    HDC dc_;
    bool started_ = false;
};

}  // namespace

PrintResult PrintLines(const std::vector<std::string>& lines, const std::string& documentName) {
    PrintResult result;
    result.printer = DefaultPrinterName();
    if (result.printer.empty()) {
        result.outcome = PrintOutcome::NoPrinter;
        return result;
    }
    gdi::OwnedDC dc(CreateDCA("WINSPOOL", result.printer.c_str(), nullptr, nullptr));
    if (!dc) return result;

    // 10 points in the printer's resolution.
    int dpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(10, dpiY > 0 ? dpiY : 300, 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynA(lf.lfFaceName, "Arial", LF_FACESIZE);
    gdi::Font font(CreateFontIndirectA(&lf));
    gdi::Select selectFont(dc.get(), font.get());
    TEXTMETRICA metrics{};
    GetTextMetricsA(dc.get(), &metrics);
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int pageWidth = GetDeviceCaps(dc.get(), HORZRES);
    int pageHeight = GetDeviceCaps(dc.get(), VERTRES);
    if (lineHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return result;

    // Lines wider than the printable area continue on the next line.
    std::vector<std::string> printed;
    auto fits = [&](const std::string& text) -> size_t {
        int count = 0;
        SIZE size{};
        if (!GetTextExtentExPointA(dc.get(), text.c_str(), static_cast<int>(text.size()), pageWidth, &count, nullptr,
                                   &size)) {
            return text.size();
        }
        return static_cast<size_t>(count);
    };
    for (const std::string& line : lines) {
        for (std::string& piece : WrapPrintLine(line, fits)) printed.push_back(std::move(piece));
    }
    PrintPageLayout layout = LayOutPrintout(printed.size(), lineHeight, pageHeight);

    PrintJob job(dc.get(), documentName);
    if (!job.started()) return result;
    SetBkMode(dc.get(), TRANSPARENT);
    size_t next = 0;
    for (int page = 0; page < layout.pageCount; ++page) {
        if (StartPage(dc.get()) <= 0) return result;
        // Some drivers reset the DC's objects at each page.
        SelectObject(dc.get(), font.get());
        for (; next < printed.size() && layout.places[next].page == page; ++next) {
            const std::string& text = printed[next];
            TextOutA(dc.get(), 0, layout.places[next].y, text.c_str(), static_cast<int>(text.size()));
        }
        if (EndPage(dc.get()) <= 0) return result;
        ++result.pages;
    }
    if (!job.Finish()) return result;
    result.outcome = PrintOutcome::Printed;
    return result;
}
