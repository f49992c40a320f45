// The file associations the Associate dialog registers: which keys get which values for the chosen kinds.
#pragma once

#include <string>
#include <vector>

// The kinds in the order of the dialog's check boxes (ids 101..112).
enum class TFileKind { Txt, Ini, Inf, Log, C, Cpp, H, Asm, Pas, Prg, Ch, Inc };
inline constexpr int kFileKindCount = 12;

// One default value to write: key (relative to the classes root) = value.
struct TRegistryEntry {
    std::string key;
    std::string value;
};

// The command the shell runs to open a file: the program path in quotes and the file in quotes, so that
// a path with blanks in either reaches the program as one name.
std::string OpenCommandFor(const std::string& programPath);

// Every value to write for the kinds whose bit (1 << kind) is set in checked, in writing order: for each
// of TXT, INI, INF and LOG its file type, open command and extension; then, when any source kind is
// checked, the shared file type "ozmtxtfile" with its open command once and every checked extension.
// Nothing for no kinds.
std::vector<TRegistryEntry> AssociationEntries(unsigned checked, const std::string& openCommand);
