// Printing for real: the test run's own print server has a PDF printer as the
// default (tests/wine/wine-env.sh); the printout comes back as text through
// pdftotext and is checked for its lines, their order and the page breaks.
// Without that printer the printing cases skip; the failure cases need none.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/WineTestSupport.h"
#include "ui/print/Printing.h"

namespace {

const char kWindowsKey[] = "Software\\Microsoft\\Windows NT\\CurrentVersion\\Windows";

std::string WindowsPathOfUnix(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path) {
        if (c == '/') c = '\\';
    }
    return path;
}

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Waits for a PDF whose name holds the document name in the Unix folder.
std::string WaitForPdf(const std::string& unixFolder, const std::string& documentName, DWORD timeoutMs) {
    std::string folder = WindowsPathOfUnix(unixFolder) + "\\";
    DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        WIN32_FIND_DATAA found{};
        HANDLE search = FindFirstFileA((folder + "*" + documentName + "*.pdf").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            FindClose(search);
            return unixFolder + "/" + found.cFileName;
        }
        Sleep(100);
    }
    return std::string();
}

// The text of the PDF, pages separated by form feeds.
std::string PdfText(const std::string& unixPdf) {
    std::string unixText = unixPdf + ".txt";
    std::string command =
        "start.exe /unix " BM_SOURCE_DIR "/tests/wine/ui/print/pdf-to-text.sh \"" + unixPdf + "\" \"" + unixText + "\"";
    if (testsupport::RunProcess(command, 20000) != 0) return std::string();
    std::string windowsText = WindowsPathOfUnix(unixText);
    for (int i = 0; i < 200 && GetFileAttributesA(windowsText.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    return testsupport::ReadFileBytes(windowsText);
}

std::vector<std::string> Pages(const std::string& text) {
    std::vector<std::string> pages(1);
    for (char c : text) {
        if (c == '\f') {
            pages.emplace_back();
        } else {
            pages.back() += c;
        }
    }
    // pdftotext ends the last page with a form feed too.
    if (pages.size() > 1 && pages.back().find_first_not_of(" \r\n") == std::string::npos) pages.pop_back();
    return pages;
}

// Sets (or with an empty value deletes) the user's default printer, as the
// printer settings do, and puts the old setting back at the end.
class DefaultPrinterSetting {
public:
    explicit DefaultPrinterSetting(const std::string& device) {
        RegCreateKeyExA(HKEY_CURRENT_USER, kWindowsKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key_, nullptr);
        char buffer[1024] = {};
        DWORD size = sizeof buffer - 1;
        had_ =
            RegQueryValueExA(key_, "Device", nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
        old_ = buffer;
        Set(device);
    }
    ~DefaultPrinterSetting() {
        if (had_) {
            Set(old_);
        } else {
            RegDeleteValueA(key_, "Device");
        }
        RegCloseKey(key_);
    }

private:
    void Set(const std::string& device) {
        if (device.empty()) {
            RegDeleteValueA(key_, "Device");
        } else {
            RegSetValueExA(key_, "Device", 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                           static_cast<DWORD>(device.size() + 1));
        }
    }
    HKEY key_ = nullptr;
    bool had_ = false;
    std::string old_;
};

TEST(PrintLines, WithoutADefaultPrinterSaysSo) {
    DefaultPrinterSetting none("");
    PrintResult result = PrintLines({"a line"});
    EXPECT_EQ(result.outcome, PrintOutcome::NoPrinter);
    EXPECT_EQ(result.pages, 0);
}

TEST(PrintLines, APrinterThatCannotBeOpenedIsAPrinterError) {
    DefaultPrinterSetting missing("Printer that is gone,winspool,FILE:");
    PrintResult result = PrintLines({"a line"});
    EXPECT_EQ(result.outcome, PrintOutcome::PrinterError);
    EXPECT_EQ(result.printer, "Printer that is gone");
}

TEST(PrintLines, PrintsEveryLineInOrderAndBreaksPagesOnlyBeforeALineThatDoesNotFit) {
    std::string output = Environment("BM_PRINT_OUTPUT");
    if (output.empty()) GTEST_SKIP() << "no PDF printer in this test run";
    std::vector<std::string> lines = {"Bootmarshal - list of startup entries", "", ""};
    for (int i = 0; i < 120; ++i) {
        char line[64];
        wsprintfA(line, "   Entry %03d", i);
        lines.push_back(line);
    }
    // A command wider than the page continues on the next line instead of running off the paper.
    std::string wide = "   Command: C:\\Program Files\\Vendor\\Tool\\tool.exe";
    for (int i = 0; i < 30; ++i) wide += " /option" + std::to_string(i);
    lines.push_back(wide);
    lines.push_back("   Last line");

    std::string name = "bm-print-" + std::to_string(GetTickCount());
    PrintResult result = PrintLines(lines, name);
    ASSERT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.printer, Environment("BM_PRINTER_QUEUE"));
    EXPECT_GE(result.pages, 2);

    std::string pdf = WaitForPdf(output, name, 60000);
    ASSERT_FALSE(pdf.empty()) << "no PDF of " << name << " in " << output;
    std::vector<std::string> pages = Pages(PdfText(pdf));
    ASSERT_EQ(static_cast<int>(pages.size()), result.pages);

    // Every entry line once, in order, and each page carries lines (no empty last page).
    std::string all;
    for (const std::string& page : pages) {
        EXPECT_NE(page.find("Entry"), std::string::npos) << "a page without entries";
        all += page;
    }
    size_t at = all.find("Bootmarshal - list of startup entries");
    ASSERT_NE(at, std::string::npos);
    for (int i = 0; i < 120; ++i) {
        char line[32];
        wsprintfA(line, "Entry %03d", i);
        size_t next = all.find(line, at);
        ASSERT_NE(next, std::string::npos) << line;
        at = next;
    }
    size_t option29 = all.find("/option29", at);
    EXPECT_NE(option29, std::string::npos) << "the end of the wide line was cut off";
    EXPECT_NE(all.find("Last line", option29), std::string::npos);
    EXPECT_NE(pages.back().find("Last line"), std::string::npos);
}

}  // namespace
