// Byte tables between 8-bit character sets: OEM and ANSI of the portable build, and the user tables of
// TEXT.CNV.
#pragma once

#include <string>
#include <vector>

// Code page 437 to 1252 and back: the OEM and ANSI sets where there is no system to ask. A byte whose
// character the other set lacks stays as it is.
void OemToAnsiTable(unsigned char table[256]);
void AnsiToOemTable(unsigned char table[256]);

// The section names of a profile file in file order, scanned line by line (lines of up to 254
// characters, trimmed; "[NAME]" names a section), as many as fit in `size` bytes the way the profile
// functions hand them over (each name's bracketed line plus 2 must be less than the space left). False
// when the file cannot be opened.
[[nodiscard]] bool ScanSectionNames(const std::string& path, std::vector<std::string>* names, int size = 2048);

// The table of one section of a TEXT.CNV file: table[b] is the value of the key b (in decimal), b when
// the key is missing or the value's low byte is 0. False when the file cannot be opened or holds no such
// section.
[[nodiscard]] bool ReadConvertTable(const std::string& path, const std::string& section, unsigned char table[256]);
