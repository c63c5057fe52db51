// Printing for real: the test run's own print server has a PDF printer as the
// default (tests/wine/wine-env.sh); the printout comes back as text through
// pdftotext and is checked for its rows, their order, the page numbers and,
// from each word's box, the margins.
// Without that printer the printing cases skip; the failure cases need none.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "i18n/TranslationCatalogue.h"
#include "report/Printout.h"
#include "support/WineTestSupport.h"
#include "ui/print/Printing.h"
#include "ui/win/TextNumbers.h"

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

std::string Texts(int number) {
    switch (number) {
        case Text::PrintComputer:
            return "Computer: %s";
        case Text::PrintUser:
            return "User: %s";
        case Text::PrintedAt:
            return "Printed %s";
        case Text::PrintPageOf:
            return "Page %s of %s";
    }
    return "#" + std::to_string(number);
}

Printout OneRow() { return {{"Title"}, {{{"Name", 1}}, {{{"a row"}}}}, PageNumbers(Texts)}; }

// The words of a PDF with their boxes, from pdftotext's bounding-box output.
struct Word {
    double xMin, yMin, xMax, yMax;
    std::string text;
    int page;
};

double Attribute(const std::string& tag, const char* name) {
    const size_t at = tag.find(std::string(name) + "=\"");
    return at == std::string::npos ? -1 : std::atof(tag.c_str() + at + std::strlen(name) + 2);
}

std::vector<Word> PdfWords(const std::string& unixPdf, double& pageWidth, double& pageHeight) {
    const std::string unixOut = unixPdf + ".words.html";
    const std::string command =
        "start.exe /unix " BM_SOURCE_DIR "/tests/wine/ui/print/pdf-to-words.sh \"" + unixPdf + "\" \"" + unixOut + "\"";
    std::vector<Word> words;
    if (testsupport::RunProcess(command, 20000) != 0) return words;
    const std::string windowsOut = WindowsPathOfUnix(unixOut);
    for (int i = 0; i < 200 && GetFileAttributesA(windowsOut.c_str()) == INVALID_FILE_ATTRIBUTES; ++i) Sleep(50);
    const std::string html = testsupport::ReadFileBytes(windowsOut);
    int page = -1;
    for (size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        const size_t end = html.find('>', at);
        if (end == std::string::npos) break;
        const std::string tag = html.substr(at, end - at + 1);
        if (tag.rfind("<page ", 0) == 0) {
            ++page;
            pageWidth = Attribute(tag, "width");
            pageHeight = Attribute(tag, "height");
        } else if (tag.rfind("<word ", 0) == 0) {
            const size_t close = html.find("</word>", end);
            words.push_back({Attribute(tag, "xMin"), Attribute(tag, "yMin"), Attribute(tag, "xMax"),
                             Attribute(tag, "yMax"), html.substr(end + 1, close - end - 1), page});
        }
    }
    return words;
}

std::string DateNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    wchar_t date[128] = {};
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr);
    char narrow[256] = {};
    WideCharToMultiByte(CP_UTF8, 0, date, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

TEST(PrintTableOut, WithoutADefaultPrinterSaysSo) {
    DefaultPrinterSetting none("");
    PrintResult result = PrintTableOut(OneRow());
    EXPECT_EQ(result.outcome, PrintOutcome::NoPrinter);
    EXPECT_EQ(result.pages, 0);
}

TEST(PrintTableOut, APrinterThatCannotBeOpenedIsAPrinterError) {
    DefaultPrinterSetting missing("Printer that is gone,winspool,FILE:");
    PrintResult result = PrintTableOut(OneRow());
    EXPECT_EQ(result.outcome, PrintOutcome::PrinterError);
    EXPECT_EQ(result.printer, "Printer that is gone");
}

TEST(PrintTableOut, PrintsEveryRowInOrderWithinTwoCentimetreMarginsAndNumbersThePages) {
    std::string output = Environment("BM_PRINT_OUTPUT");
    if (output.empty()) GTEST_SKIP() << "no PDF printer in this test run";
    const std::string dateBefore = DateNow();
    Printout printout{PrintoutHeading("Bootmarshal - list of startup entries", Texts),
                      {{{"Name", 3}, {"State", 3}, {"Command", 5}}, {}},
                      PageNumbers(Texts)};
    for (int i = 0; i < 120; ++i) {
        char name[32];
        wsprintfA(name, "Entry%03d", i);
        printout.table.rows.push_back({{name}, {"active"}, {std::string("C:\\tools\\") + name + ".exe"}});
    }
    // A command wider than its column wraps within it instead of running off the paper.
    std::string wide = "C:\\Program Files\\Vendor\\Tool\\tool.exe";
    for (int i = 0; i < 30; ++i) wide += " /option" + std::to_string(i);
    printout.table.rows.push_back({{"Wide"}, {"switched off", "Will not start: program missing"}, {wide}});
    printout.table.rows.push_back({{"Last"}, {"active"}, {"last.exe"}});

    std::string name = "bm-print-" + std::to_string(GetTickCount());
    PrintResult result = PrintTableOut(printout, name);
    ASSERT_EQ(result.outcome, PrintOutcome::Printed);
    EXPECT_EQ(result.printer, Environment("BM_PRINTER_QUEUE"));
    EXPECT_GE(result.pages, 2);

    std::string pdf = WaitForPdf(output, name, 60000);
    ASSERT_FALSE(pdf.empty()) << "no PDF of " << name << " in " << output;
    std::vector<std::string> pages = Pages(PdfText(pdf));
    ASSERT_EQ(static_cast<int>(pages.size()), result.pages);

    std::string all;
    for (size_t p = 0; p < pages.size(); ++p) {
        const std::string& page = pages[p];
        // Each page: the heading with computer, user and date, the captions, its number of all.
        EXPECT_NE(page.find("Bootmarshal - list of startup entries"), std::string::npos) << "page " << p + 1;
        EXPECT_NE(page.find("Computer: "), std::string::npos) << "page " << p + 1;
        EXPECT_NE(page.find("User: "), std::string::npos) << "page " << p + 1;
        const bool dated = page.find("Printed " + dateBefore) != std::string::npos ||
                           page.find("Printed " + DateNow()) != std::string::npos;
        EXPECT_TRUE(dated) << page.substr(0, 400);
        EXPECT_NE(page.find("Command"), std::string::npos) << "page " << p + 1;
        EXPECT_NE(page.find("Page " + std::to_string(p + 1) + " of " + std::to_string(pages.size())), std::string::npos)
            << "page " << p + 1;
        EXPECT_NE(page.find("Entry"), std::string::npos) << "a page without entries";
        all += page;
    }
    // One entry per row: its name, state and command on one line, in order.
    size_t at = 0;
    for (int i = 0; i < 120; ++i) {
        char row[32];
        wsprintfA(row, "Entry%03d", i);
        size_t next = all.find(row, at);
        ASSERT_NE(next, std::string::npos) << row;
        const std::string line = all.substr(next, all.find('\n', next) - next);
        EXPECT_NE(line.find("active"), std::string::npos) << line;
        EXPECT_NE(line.find(std::string("C:\\tools\\") + row + ".exe"), std::string::npos) << line;
        at = next + 1;
    }
    size_t option29 = all.find("/option29", at);
    EXPECT_NE(option29, std::string::npos) << "the end of the wide command was cut off";
    EXPECT_NE(all.find("program missing"), std::string::npos);
    EXPECT_NE(pages.back().find("last.exe"), std::string::npos);

    // Every word within 2 cm (56.7 points) of each edge of the paper.
    double width = 0, height = 0;
    const std::vector<Word> words = PdfWords(pdf, width, height);
    ASSERT_FALSE(words.empty());
    ASSERT_GT(width, 200.0);
    const double margin = 2.0 / 2.54 * 72.0 - 1.0;
    for (const Word& word : words) {
        EXPECT_GE(word.xMin, margin) << word.text << " page " << word.page;
        EXPECT_LE(word.xMax, width - margin) << word.text << " page " << word.page;
        EXPECT_GE(word.yMin, margin) << word.text << " page " << word.page;
        EXPECT_LE(word.yMax, height - margin) << word.text << " page " << word.page;
    }
}

TEST(PrintTableOut, PrintsTheEntriesTableInEachShippedLanguage) {
    std::string output = Environment("BM_PRINT_OUTPUT");
    if (output.empty()) GTEST_SKIP() << "no PDF printer in this test run";
    struct Language {
        const char* file;
        const char* pageOne;  // the footer of a one-page printout
        const char* computer;
    } languages[] = {{"Bootmarshal.t00", "Seite 1 von 1", "Computer: "},
                     {"Bootmarshal.t02", "Page 1 sur 1", "Ordinateur"}};
    const std::string product = "\"" + testsupport::ProductPath("Bootmarshal.exe") + "\" /x";
    for (const Language& language : languages) {
        TranslationCatalogue catalogue;
        catalogue.LoadTextFile(testsupport::ProductPath(language.file));
        auto text = [&catalogue](int number) { return catalogue.Text(number); };
        StartupEntry made;
        made.name = "Made";
        made.command = product;
        made.kind = 11;
        made.active = 1;
        StartupEntry off = made;
        off.name = "Off";
        off.command = "C:\\bmtest\\gone\\gone.exe";
        off.active = 0;
        off.offBy = SwitchedOffBy::Windows;
        const std::vector<report::EntryFacts> facts = {
            {made, true, NotRunReason::None, "Bootmarshal, Veltmanix"},
            {off, false, NotRunReason::ProgramMissing, ""},
        };
        const Printout printout{PrintoutHeading(text(Text::PrintHeading), text), report::PrintoutTable(facts, text),
                                PageNumbers(text)};
        const std::string name = "bm-language-" + std::to_string(GetTickCount());
        ASSERT_EQ(PrintTableOut(printout, name).outcome, PrintOutcome::Printed) << language.file;
        const std::string pdf = WaitForPdf(output, name, 60000);
        ASSERT_FALSE(pdf.empty()) << language.file;
        const std::string printed = PdfText(pdf);
        // Each text's first word, when it is plain ASCII: a text may wrap within its
        // column, and the PDF's text need not keep letters beyond ASCII byte for byte.
        for (const int number : {Text::ColumnName, Text::ColumnLocation, Text::ColumnCommand, Text::PrintHeading,
                                 Text::NoVersionInformation}) {
            const std::string all = text(number);
            const std::string wanted = all.substr(0, all.find(' '));
            if (std::any_of(wanted.begin(), wanted.end(), [](char c) { return c < 0; })) continue;
            EXPECT_NE(printed.find(wanted), std::string::npos) << language.file << ": " << all;
        }
        EXPECT_NE(printed.find(language.pageOne), std::string::npos) << printed;
        EXPECT_NE(printed.find(language.computer), std::string::npos) << printed;
        EXPECT_NE(printed.find("Veltmanix"), std::string::npos) << printed;
        EXPECT_NE(printed.find("C:\\bmtest\\gone\\gone.exe"), std::string::npos) << printed;
    }
}

}  // namespace
