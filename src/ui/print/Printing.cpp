#include "ui/print/Printing.h"

#include <windows.h>
#include <winspool.h>

#include "ui/print/PrintLayout.h"
#include "ui/win/Gdi.h"
#include "ui/win/WideText.h"

namespace {

// The name of the default printer; empty when none is set up.
std::string DefaultPrinterName() {
    DWORD size = 0;
    GetDefaultPrinterW(nullptr, &size);
    if (size == 0) return std::string();
    std::wstring name(size, L'\0');
    if (!GetDefaultPrinterW(&name[0], &size)) return std::string();
    name.resize(static_cast<size_t>(lstrlenW(name.c_str())));
    return Utf8FromWide(name);
}

// The bytes of a UTF-8 text that its first units of UTF-16 take, ending on a
// whole character: a character outside the Basic Multilingual Plane takes two
// units and is never split.
size_t Utf8BytesOfUnits(const std::string& text, size_t units) {
    size_t at = 0;
    while (at < text.size()) {
        const CodePoint point = ReadCodePoint(text, at);
        const size_t width = point.value >= 0x10000 ? 2 : 1;
        if (width > units) break;
        units -= width;
        at += point.length;
    }
    return at;
}

// Ends a started document on every path: EndDoc when all pages went out,
// AbortDoc otherwise.
class PrintJob {
public:
    PrintJob(HDC dc, const std::string& name) : dc_(dc), name_(WideFromUtf8(name)) {
        DOCINFOW info{};
        info.cbSize = sizeof info;
        info.lpszDocName = name_.c_str();
        started_ = StartDocW(dc, &info) > 0;
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
    std::wstring name_;
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
    gdi::OwnedDC dc(CreateDCW(L"WINSPOOL", WideFromUtf8(result.printer).c_str(), nullptr, nullptr));
    if (!dc) return result;

    // 10 points in the printer's resolution.
    int dpiY = GetDeviceCaps(dc.get(), LOGPIXELSY);
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(10, dpiY > 0 ? dpiY : 300, 72);
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    gdi::Font font(CreateFontIndirectW(&lf));
    gdi::Select selectFont(dc.get(), font.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc.get(), &metrics);
    int lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    int pageWidth = GetDeviceCaps(dc.get(), HORZRES);
    int pageHeight = GetDeviceCaps(dc.get(), VERTRES);
    if (lineHeight <= 0 || pageWidth <= 0 || pageHeight <= 0) return result;

    // Lines wider than the printable area continue on the next line.
    std::vector<std::string> printed;
    auto fits = [&](const std::string& text) -> size_t {
        int count = 0;
        SIZE size{};
        const std::wstring wide = WideFromUtf8(text);
        if (!GetTextExtentExPointW(dc.get(), wide.c_str(), static_cast<int>(wide.size()), pageWidth, &count, nullptr,
                                   &size)) {
            return text.size();
        }
        return Utf8BytesOfUnits(text, static_cast<size_t>(count));
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
            const std::wstring wide = WideFromUtf8(printed[next]);
            TextOutW(dc.get(), 0, layout.places[next].y, wide.c_str(), static_cast<int>(wide.size()));
        }
        if (EndPage(dc.get()) <= 0) return result;
        ++result.pages;
    }
    if (!job.Finish()) return result;
    result.outcome = PrintOutcome::Printed;
    return result;
}
