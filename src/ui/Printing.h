#pragma once
#include <string>
#include <vector>
enum class PrintResult { Printed, NoPrinter, Failed };
inline PrintResult PrintLines(const std::vector<std::string>&) { return PrintResult::NoPrinter; }
