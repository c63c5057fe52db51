// Files and folders: existence tests, whole-file and one-line reads, a file
// written once, deleting a folder tree, and the split of a command line at the
// program file that exists on disk.
#pragma once
#include <cstddef>
#include <string>

bool FolderExists(const std::string& path);
// True when a file (not a folder) of that name exists.
bool FileExists(const std::string& path);

// Reads every byte of the file; others may hold it open, even for writing.
// False when it cannot be opened or read (bytes are then empty). `spare`
// bytes of room are left after the file's, for a caller that appends them.
bool ReadWholeFile(const std::string& path, std::string& bytes, size_t spare = 0);
// First line of the file, or empty text for a missing or empty file.
// Throws EInOutError when the file exists but cannot be read.
std::string ReadFirstLine(const std::string& path);
// Creates the file with the text unless it exists. Throws EInOutError on failure.
void WriteTextFileOnce(const std::string& path, const std::string& text);

// Deletes a folder tree; never removes the root folder of a drive.
void DeleteFolderTree(const std::string& folder);

// The program path at the start of a command line, trimmed, and the rest,
// decided by the files that exist.
std::string ProgramPart(const std::string& command);
std::string ArgumentsPart(const std::string& command);
