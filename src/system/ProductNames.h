// The program's base name: the stem of its data folder and every data file.
#pragma once

inline constexpr char kBaseName[] = "Bootmarshal";
