// Handing a file, folder or address to the shell ("Open").
#pragma once
#include <string>

void OpenWithShell(const std::string& target);
// Only when the file exists.
void OpenExistingWithShell(const std::string& path);
