// The section names of a profile file, found by reading its lines ("syntax.hgl", "TEXT.CNV").
#pragma once

// Reads the file at path line by line (lines of up to 254 characters, trimmed of blanks) and collects the
// name of every line that starts with "[" and ends with "]", in file order, into buffer: each name is
// followed by a NUL, and the list is closed by an empty name. A name is taken only while its bracketed
// line's length plus 2 is less than the space left in the buffer; the first one that does not fit ends
// the list, so that every name seen is whole. Answers the number of names, or -1 when the file cannot
// be opened.
int ScanSectionNames(const char* path, char* buffer, int size);
