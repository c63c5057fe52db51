#include "ui/print/Printing.h"

#include <windows.h>
#include <winspool.h>

#include "system/TextRules.h"
#include "ui/print/PrintLayout.h"
#include "ui/win/Gdi.h"
#include "ui/win/TextNumbers.h"
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

std::string ComputerName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? Utf8FromWide(std::wstring(name, size)) : std::string();
}

std::string UserName() {
    wchar_t name[257];
    DWORD size = 257;
    if (!GetUserNameW(name, &size) || size == 0) return std::string();
    return Utf8FromWide(std::wstring(name, size - 1));  // size counted the terminating zero
}

// Now as the user's regional settings write it: short date, time without seconds.
std::string NowInUserFormat() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[128] = {};
    wchar_t time[128] = {};
    if (!GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr)) date[0] = 0;
    if (!GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, &now, nullptr, time, 128)) time[0] = 0;
    return Utf8FromWide(std::wstring(date) + L" " + time);
}

// The printer's fonts: a sans-serif at 8 points, plain and bold.
struct PrinterFonts {
    gdi::Font plain;
    gdi::Font bold;
};

gdi::Font PrinterFont(int dpiY, bool bold) {
    LOGFONTW lf{};
    lf.lfHeight = -MulDiv(8, dpiY > 0 ? dpiY : 300, 72);
    lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(lf.lfFaceName, L"Arial", LF_FACESIZE);
    return gdi::Font(CreateFontIndirectW(&lf));
}

// A margin of 2 cm from the paper's edge, as a margin inside the printable area
// whose edge lies offset from the paper's.
int MarginInside(int dpi, int offset) {
    const int margin = MulDiv(2000, dpi > 0 ? dpi : 300, 2540);
    return margin > offset ? margin - offset : 0;
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

std::vector<std::string> PrintoutHeading(const std::string& title, const std::function<std::string(int)>& text) {
    return {title, FillPlaceholder(text(Text::PrintComputer), ComputerName()) + "      " +
                       FillPlaceholder(text(Text::PrintUser), UserName()) + "      " +
                       FillPlaceholder(text(Text::PrintedAt), NowInUserFormat())};
}

PageFooterFn PageNumbers(const std::function<std::string(int)>& text) {
    const std::string pattern = text(Text::PrintPageOf);
    return [pattern](int page, int pages) {
        return FillPlaceholder(FillPlaceholder(pattern, std::to_string(page)), std::to_string(pages));
    };
}

PrintResult PrintTableOut(const Printout& printout, const std::string& documentName) {
    PrintResult result;
    result.printer = DefaultPrinterName();
    if (result.printer.empty()) {
        result.outcome = PrintOutcome::NoPrinter;
        return result;
    }
    gdi::OwnedDC dc(CreateDCW(L"WINSPOOL", WideFromUtf8(result.printer).c_str(), nullptr, nullptr));
    if (!dc) return result;
    HDC printer = dc.get();

    const int dpiX = GetDeviceCaps(printer, LOGPIXELSX);
    const int dpiY = GetDeviceCaps(printer, LOGPIXELSY);
    PrinterFonts fonts{PrinterFont(dpiY, false), PrinterFont(dpiY, true)};
    gdi::Select selectFont(printer, fonts.plain.get());
    TEXTMETRICW metrics{};
    GetTextMetricsW(printer, &metrics);

    PrintFrame frame;
    frame.pageWidth = GetDeviceCaps(printer, HORZRES);
    frame.pageHeight = GetDeviceCaps(printer, VERTRES);
    const int offsetX = GetDeviceCaps(printer, PHYSICALOFFSETX);
    const int offsetY = GetDeviceCaps(printer, PHYSICALOFFSETY);
    const int paperWidth = GetDeviceCaps(printer, PHYSICALWIDTH);
    const int paperHeight = GetDeviceCaps(printer, PHYSICALHEIGHT);
    frame.left = MarginInside(dpiX, offsetX);
    frame.top = MarginInside(dpiY, offsetY);
    frame.right = MarginInside(dpiX, paperWidth > 0 ? paperWidth - offsetX - frame.pageWidth : 0);
    frame.bottom = MarginInside(dpiY, paperHeight > 0 ? paperHeight - offsetY - frame.pageHeight : 0);
    frame.lineHeight = metrics.tmHeight + metrics.tmExternalLeading;
    frame.gap = frame.lineHeight / 2;
    if (frame.lineHeight <= 0 || frame.pageWidth <= frame.left + frame.right ||
        frame.pageHeight <= frame.top + frame.bottom) {
        return result;
    }

    PrintMeasure measure;
    measure.fits = [&](const std::string& text, int width, bool bold) -> size_t {
        gdi::Select font(printer, (bold ? fonts.bold : fonts.plain).get());
        int count = 0;
        SIZE size{};
        const std::wstring wide = WideFromUtf8(text);
        if (!GetTextExtentExPointW(printer, wide.c_str(), static_cast<int>(wide.size()), width, &count, nullptr,
                                   &size)) {
            return text.size();
        }
        return Utf8BytesOfUnits(text, static_cast<size_t>(count));
    };
    measure.width = [&](const std::string& text, bool bold) {
        gdi::Select font(printer, (bold ? fonts.bold : fonts.plain).get());
        SIZE size{};
        const std::wstring wide = WideFromUtf8(text);
        GetTextExtentPoint32W(printer, wide.c_str(), static_cast<int>(wide.size()), &size);
        return static_cast<int>(size.cx);
    };
    const TableLayout layout = LayOutTable(printout.heading, printout.table, frame, measure, printout.footer);
    const int ruleLeft = layout.columnLeft.empty() ? frame.left : layout.columnLeft.front();
    const int ruleRight = layout.columnLeft.empty() ? frame.pageWidth - frame.right
                                                    : layout.columnLeft.back() + layout.columnWidth.back();
    const int ruleWidth = dpiY / 150 > 1 ? dpiY / 150 : 1;

    PrintJob job(printer, documentName);
    if (!job.started()) return result;
    for (const PrintedPage& page : layout.pages) {
        if (StartPage(printer) <= 0) return result;
        // Some drivers reset the DC's objects at each page.
        SetBkMode(printer, TRANSPARENT);
        SetTextColor(printer, RGB(0, 0, 0));
        for (const PlacedText& placed : page.texts) {
            SelectObject(printer, (placed.bold ? fonts.bold : fonts.plain).get());
            const std::wstring wide = WideFromUtf8(placed.text);
            TextOutW(printer, placed.x, placed.y, wide.c_str(), static_cast<int>(wide.size()));
        }
        for (const int y : page.rules) PatBlt(printer, ruleLeft, y, ruleRight - ruleLeft, ruleWidth, BLACKNESS);
        if (EndPage(printer) <= 0) return result;
        ++result.pages;
    }
    SelectObject(printer, fonts.plain.get());
    if (!job.Finish()) return result;
    result.outcome = PrintOutcome::Printed;
    return result;
}
