#include "ui/prompts/ErrorTexts.h"

#include <windows.h>

#include "backup/SnapshotList.h"
#include "i18n/TranslationCatalogue.h"
#include "system/Errors.h"
#include "system/Shell.h"
#include "system/TextRules.h"
#include "system/Utf8.h"
#include "ui/prompts/Prompts.h"
#include "ui/win/TextNumbers.h"
#include "xml/XmlParser.h"

namespace ui {

namespace {

int FaultTextNumber(FileFault fault) {
    switch (fault) {
        case FileFault::Open:
            return Text::CannotOpen;
        case FileFault::Read:
            return Text::CannotRead;
        case FileFault::Create:
            return Text::CannotCreate;
        case FileFault::Write:
            return Text::CannotWrite;
        case FileFault::Unspecified:
            break;
    }
    return 0;
}

// The fault of a backup file that the reader took apart, in the catalogue's
// words; empty when the catalogue has none.
std::string BackupFaultText(const EBackupFileError& error) {
    switch (error.Kind()) {
        case BackupFault::MissingElement:
            if (error.Second().empty()) return FillPlaceholder(GetText(Text::ElementMissing), error.First());
            return FillPlaceholder(FillPlaceholder(GetText(Text::ElementMissingIn), error.Second()), error.First());
        case BackupFault::DateNotRegional:
            return FillPlaceholder(GetText(Text::DateNotRegional), error.First());
        case BackupFault::KindNotNumber:
            return FillPlaceholder(FillPlaceholder(GetText(Text::KindNotNumber), error.First()), error.Second());
        case BackupFault::NoContent:
            return GetText(Text::NoContentAfterDeclaration);
        case BackupFault::Unspecified:
            break;
    }
    return std::string();
}

// Where the XML reader refused a file and what it expected there, in the
// catalogue's words; empty for a refusal without a line.
std::string XmlRefusalText(const EXMLException& error) {
    if (error.Line() <= 0) return std::string();
    std::string expected;
    switch (error.Expected()) {
        case XmlExpected::EndTag:
        case XmlExpected::TagEnd:
        case XmlExpected::LessNesting:
            expected = error.Detail();  // markup, the same in every language
            break;
        case XmlExpected::Name:
            expected = GetText(Text::XmlExpectedName);
            break;
        case XmlExpected::Element:
            expected = GetText(Text::XmlExpectedElement);
            break;
        case XmlExpected::EndOfFile:
            expected = GetText(Text::XmlExpectedEndOfFile);
            break;
        case XmlExpected::Reference:
            expected = FillPlaceholder(GetText(Text::XmlExpectedKnownCharacter), error.Detail());
            break;
        case XmlExpected::Character:
            expected = GetText(Text::XmlExpectedPrintable);
            break;
        case XmlExpected::Declaration:
            break;
    }
    const std::string pattern = GetText(Text::XmlRefusedAtLine);
    if (pattern.empty() || expected.empty()) return error.Reason();
    return FillPlaceholder(FillPlaceholder(pattern, std::to_string(error.Line())), expected);
}

}  // namespace

std::string SystemReason(unsigned long code) {
    if (code == 0) return std::string();
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string reason = length && buffer ? Utf8FromWide(std::wstring_view(buffer, length)) : std::string();
    if (buffer) LocalFree(buffer);
    return Trim(reason);
}

std::string UserMessage(const std::exception& error) {
    if (const auto* io = dynamic_cast<const EInOutError*>(&error)) {
        const int number = FaultTextNumber(io->Fault());
        const std::string pattern = number ? GetText(number) : std::string();
        if (!pattern.empty()) {
            const std::string reason = SystemReason(io->SystemError());
            const std::string text = FillPlaceholder(pattern, io->Path());
            return reason.empty() ? text : text + "\n" + reason;
        }
    }
    if (const auto* backup = dynamic_cast<const EBackupFileError*>(&error)) {
        const std::string fault = BackupFaultText(*backup);
        const std::string pattern = GetText(Text::NotValidBackup);
        if (!fault.empty() && !backup->FileName().empty() && !pattern.empty()) {
            return FillPlaceholder(FillPlaceholder(pattern, backup->FileName()), fault);
        }
        if (!fault.empty() && backup->FileName().empty()) return fault;
    }
    if (const auto* xml = dynamic_cast<const EXMLException*>(&error)) {
        const std::string pattern = GetText(Text::NotValidXml);
        if (!xml->FileName().empty() && !pattern.empty()) {
            const std::string text = FillPlaceholder(pattern, xml->FileName());
            const std::string reason = XmlRefusalText(*xml);
            return reason.empty() ? text : text + "\n" + reason;
        }
    }
    return error.what();
}

namespace {

void TellIfNotOpened(const std::string& target, const ShellOpenResult& result) {
    if (!result.opened) ShowMessage(UserMessage(EInOutError(FileFault::Open, target, result.error)));
}

}  // namespace

void OpenWithShellTellingFailure(const std::string& target) { TellIfNotOpened(target, OpenWithShell(target)); }

void OpenExistingWithShellTellingFailure(const std::string& path) {
    TellIfNotOpened(path, OpenExistingWithShell(path));
}

}  // namespace ui
