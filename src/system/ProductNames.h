// The program's base name: the stem of its data folder and every data file,
// and its version.
#pragma once

inline constexpr char kBaseName[] = "Bootmarshal";
// The version text: shown in the information window, and the only content of
// the language choice file that counts.
inline constexpr char kProgramVersion[] = "2.5";
