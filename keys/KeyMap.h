// The program-wide key map: a main table of key combinations and six prefix tables for two-stroke keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "keys/KeyCodes.h"

// A binding's command value: an editor command, a macro number 1000..1049, or one of these prefix values,
// which name prefix tables 1..6. They are stored in keymap files.
enum : uint16_t {
    kPrefix1 = 0xFF01,
    kPrefix6 = 0xFF06,
};
constexpr int kPrefixTableCount = 6;
constexpr int kMainTableCapacity = 128;
constexpr int kPrefixTableCapacity = 36;

constexpr bool IsPrefixValue(unsigned command)
{
    return command >= kPrefix1 && command <= kPrefix6;
}

// One binding: a key code and the command value it runs.
struct TKeyPair {
    uint16_t key;
    uint16_t command;
};

// A table of bindings in insertion order, each key at most once, with a fixed capacity that is never grown.
class TKeyTable {
public:
    explicit TKeyTable(int capacity = kMainTableCapacity)
        : capacity_(capacity < kMainTableCapacity ? capacity : kMainTableCapacity)
    {
    }

    int Count() const { return count_; }
    int Capacity() const { return capacity_; }
    bool Full() const { return count_ >= capacity_; }
    const TKeyPair& At(int index) const { return pairs_[index]; }
    // The index of key's pair, or -1.
    int Find(uint16_t key) const;
    // The command bound to key, or 0.
    uint16_t CommandOf(uint16_t key) const;
    // Replaces key's command or appends a pair; false (nothing changed) when a new pair finds the table full.
    [[nodiscard]] bool Set(uint16_t key, uint16_t command);
    // Removes key's pair, the later pairs moving up; false when there was none.
    bool Remove(uint16_t key);
    void Clear() { count_ = 0; }

private:
    int capacity_;
    int count_ = 0;
    TKeyPair pairs_[kMainTableCapacity] = {};
};

// TKeyMap owns the seven tables and the one modified flag that every change sets. Lookups keep no state of
// their own: the pending prefix lives in each editor window and is passed in and out.
class TKeyMap {
public:
    TKeyMap();

    // Empties every table.
    void Clear();
    // Fills the tables with the built-in default map.
    void SetDefaults();

    // The command value for a key, given the window's prefix state, or 0. A found prefix key sets the
    // state and yields 0; any other key clears it.
    unsigned LookupKey(uint16_t key, uint16_t& prefixState) const;
    // Lookups straight from window input; a key the key map never sees yields 0 and leaves the state alone.
    unsigned KeyFromChar(unsigned ch, uint16_t& prefixState) const;
    unsigned KeyFromKeyDown(unsigned vk, bool shift, bool ctrl, uint16_t& prefixState) const;
    unsigned KeyFromSysKeyDown(unsigned vk, bool shift, bool ctrl, bool alt, uint16_t& prefixState) const;
    // One window key message; modifiers in the key-code bits (kKeyShift, kKeyCtrl, kKeyAlt). A key down with
    // Ctrl and Alt (AltGr) keeps Alt, so AltGr+F typing "[" on a Croatian keyboard is not taken for Ctrl+F.
    unsigned LookupKeyMessage(uint16_t& prefixState, TKeyMessage kind, unsigned code,
                              unsigned modifiers) const;

    // Binds a combination in the main table; false when the table is full.
    [[nodiscard]] bool MapKey(uint16_t key, bool alt, bool ctrl, bool shift, uint16_t command);
    // Binds a key in a prefix table (prefix value 0xFF01..0xFF06); false when it holds 36 pairs.
    [[nodiscard]] bool MapPrefixedKey(uint16_t prefix, uint16_t key, uint16_t command);
    // Makes a combination a prefix key with a fresh, empty table; false when it is not mappable, all six
    // prefix values are in use, or the main table is full.
    [[nodiscard]] bool AddPrefixKey(uint16_t key, bool alt, bool ctrl, bool shift);
    // Removes the binding shown by a displayed text ("Ctrl+F3", "Ctrl+K B"); false when there is none.
    bool UnmapKeyText(const char* text);
    // The texts of all combinations and sequences bound to a command, main table first.
    std::vector<std::string> KeysForCommand(uint16_t command) const;
    // The same as a list of NUL-terminated strings ended by an empty one; texts that would not fit are left
    // out. Returns the number of texts written.
    int KeysForCommand(uint16_t command, char* buffer, int size) const;
    bool IsMappable(uint16_t key, bool alt, bool ctrl, bool shift) const;

    // The combinations bound to prefix values, in main-table order.
    std::vector<uint16_t> PrefixKeys() const;

    const TKeyTable& MainTable() const { return tables_[0]; }
    // Prefix table 1..6.
    const TKeyTable& PrefixTable(int n) const { return tables_[n]; }
    // Table 0 (main) to 6, for the keymap file reader.
    TKeyTable& Table(int n) { return tables_[n]; }

    bool Modified() const { return modified_; }
    void SetModified(bool modified) { modified_ = modified; }

private:
    TKeyTable tables_[1 + kPrefixTableCount];
    bool modified_ = false;
};

// The key map every editor window uses; it starts with the built-in default map.
TKeyMap& ProgramKeyMap();
