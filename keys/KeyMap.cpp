// The key map: lookup with prefix keys, binding and unbinding, and the key texts the dialogs show.
#include "keys/KeyMap.h"

#include <algorithm>
#include <cstring>

#include "engine/Commands.h"
#include "keys/KeyCodes.h"

int TKeyTable::Find(uint16_t key) const
{
    for (int i = 0; i < count_; ++i)
        if (pairs_[i].key == key)
            return i;
    return -1;
}

uint16_t TKeyTable::CommandOf(uint16_t key) const
{
    int i = Find(key);
    return i < 0 ? 0 : pairs_[i].command;
}

bool TKeyTable::Set(uint16_t key, uint16_t command)
{
    int i = Find(key);
    if (i >= 0) {
        pairs_[i].command = command;
        return true;
    }
    if (Full())
        return false;
    pairs_[count_++] = {key, command};
    return true;
}

bool TKeyTable::Remove(uint16_t key)
{
    int i = Find(key);
    if (i < 0)
        return false;
    for (; i + 1 < count_; ++i)
        pairs_[i] = pairs_[i + 1];
    --count_;
    return true;
}

TKeyMap::TKeyMap()
{
    for (int n = 1; n <= kPrefixTableCount; ++n)
        tables_[n] = TKeyTable(kPrefixTableCapacity);
}

void TKeyMap::Clear()
{
    for (TKeyTable& t : tables_)
        t.Clear();
    modified_ = true;
}

unsigned TKeyMap::LookupKey(uint16_t key, uint16_t& prefixState) const
{
    const TKeyTable* table = &tables_[0];
    if (IsPrefixValue(prefixState)) {
        table = &tables_[prefixState - kPrefix1 + 1];
        // After a prefix only the key itself counts: Ctrl+K B, Ctrl+K Ctrl+B and Ctrl+K Shift+B are one.
        if (IsLetterKey(key) && !(key & kKeyAlt))
            key = KeyPart(key);
        else if (key >= 'a' && key <= 'z')
            key = static_cast<uint16_t>(key - 'a' + 'A');
    } else if (key >= 32 && key <= 255) {
        prefixState = 0;
        return cmInsertChar;
    }
    prefixState = 0;
    uint16_t command = table->CommandOf(key);
    if (IsPrefixValue(command)) {
        prefixState = command;
        return 0;
    }
    return command;
}

unsigned TKeyMap::KeyFromChar(unsigned ch, uint16_t& prefixState) const
{
    if (ch < 32 || ch > 255)
        return 0;
    return LookupKey(static_cast<uint16_t>(ch), prefixState);
}

unsigned TKeyMap::KeyFromKeyDown(unsigned vk, bool shift, bool ctrl, uint16_t& prefixState) const
{
    return KeyFromSysKeyDown(vk, shift, ctrl, false, prefixState);
}

unsigned TKeyMap::KeyFromSysKeyDown(unsigned vk, bool shift, bool ctrl, bool alt, uint16_t& prefixState) const
{
    // Modifier keys and punctuation produce no code: they must not cancel a pending prefix, or
    // Ctrl+K Shift+B (Shift goes down first) and Ctrl+Q [ could never complete.
    uint16_t code = KeyCodeFromVirtualKey(vk, shift, ctrl, alt);
    if (!code)
        return 0;
    return LookupKey(code, prefixState);
}

unsigned TKeyMap::LookupKeyMessage(uint16_t& prefixState, TKeyMessage kind, unsigned code,
                                   unsigned modifiers) const
{
    bool shift = modifiers & kKeyShift;
    bool ctrl = modifiers & kKeyCtrl;
    bool alt = modifiers & kKeyAlt;
    switch (kind) {
    case TKeyMessage::Char: return KeyFromChar(code, prefixState);
    case TKeyMessage::KeyDown: return KeyFromSysKeyDown(code, shift, ctrl, ctrl && alt, prefixState);
    case TKeyMessage::SysKeyDown: return KeyFromSysKeyDown(code, shift, ctrl, alt, prefixState);
    default: return 0;
    }
}

bool TKeyMap::MapKey(uint16_t key, bool alt, bool ctrl, bool shift, uint16_t command)
{
    if (!tables_[0].Set(WithModifiers(key, alt, ctrl, shift), command))
        return false;
    modified_ = true;
    return true;
}

bool TKeyMap::MapPrefixedKey(uint16_t prefix, uint16_t key, uint16_t command)
{
    if (!IsPrefixValue(prefix))
        return false;
    if (!tables_[prefix - kPrefix1 + 1].Set(key, command))
        return false;
    modified_ = true;
    return true;
}

bool TKeyMap::AddPrefixKey(uint16_t key, bool alt, bool ctrl, bool shift)
{
    if (!IsMappable(key, alt, ctrl, shift))
        return false;
    uint16_t combination = WithModifiers(key, alt, ctrl, shift);
    uint16_t value = 0;
    for (uint16_t v = kPrefix1; v <= kPrefix6 && !value; ++v) {
        bool used = false;
        for (int i = 0; i < tables_[0].Count() && !used; ++i)
            used = tables_[0].At(i).command == v;
        if (!used)
            value = v;
    }
    if (!value)
        return false;
    // Check for room before emptying anything, so a refusal leaves every table as it was.
    if (tables_[0].Find(combination) < 0 && tables_[0].Full())
        return false;
    tables_[value - kPrefix1 + 1].Clear();
    return MapKey(combination, false, false, false, value);
}

bool TKeyMap::UnmapKeyText(const char* text)
{
    if (!text)
        return false;
    while (*text == ' ')
        ++text;
    const char* blank = std::strchr(text, ' ');
    if (!blank) {
        uint16_t combination = KeyCodeFromText(text);
        uint16_t command = tables_[0].CommandOf(combination);
        if (!combination || !tables_[0].Remove(combination))
            return false;
        if (IsPrefixValue(command))
            tables_[command - kPrefix1 + 1].Clear();
        modified_ = true;
        return true;
    }
    // The prefix part is at most 39 characters, like the field the dialogs fill.
    std::string first(text, std::min<std::size_t>(static_cast<std::size_t>(blank - text), 39));
    std::string second(blank + 1);
    uint16_t prefix = tables_[0].CommandOf(KeyCodeFromText(first));
    if (!IsPrefixValue(prefix))
        return false;
    uint16_t key = KeyCodeFromName(second.c_str());
    if (!key && second.size() == 1)
        key = static_cast<uint8_t>(second[0]);
    if (!key || !tables_[prefix - kPrefix1 + 1].Remove(key))
        return false;
    modified_ = true;
    return true;
}

std::vector<std::string> TKeyMap::KeysForCommand(uint16_t command) const
{
    std::vector<std::string> texts;
    const TKeyTable& main = tables_[0];
    for (int i = 0; i < main.Count(); ++i)
        if (main.At(i).command == command)
            texts.push_back(KeyText(main.At(i).key));
    for (int n = 1; n <= kPrefixTableCount; ++n) {
        const TKeyTable& table = tables_[n];
        for (int i = 0; i < table.Count(); ++i) {
            if (table.At(i).command != command)
                continue;
            for (int m = 0; m < main.Count(); ++m)
                if (main.At(m).command == kPrefix1 + n - 1)
                    texts.push_back(SequenceText(main.At(m).key, table.At(i).key));
        }
    }
    return texts;
}

int TKeyMap::KeysForCommand(uint16_t command, char* buffer, int size) const
{
    if (!buffer || size < 1)
        return 0;
    int used = 0;
    int count = 0;
    for (const std::string& text : KeysForCommand(command)) {
        int need = static_cast<int>(text.size()) + 1;
        // One byte must stay free for the closing empty string.
        if (used + need + 1 > size)
            continue;
        std::memcpy(buffer + used, text.c_str(), static_cast<std::size_t>(need));
        used += need;
        ++count;
    }
    buffer[used] = '\0';
    return count;
}

bool TKeyMap::IsMappable(uint16_t key, bool alt, bool ctrl, bool shift) const
{
    uint16_t combination = WithModifiers(key, alt, ctrl, shift);
    alt = combination & kKeyAlt;
    ctrl = combination & kKeyCtrl;
    shift = combination & kKeyShift;
    if (IsLetterKey(combination) || IsDigitKey(combination))
        return (alt || ctrl) && !IsPrefixValue(tables_[0].CommandOf(combination));
    if (!(combination & kKeyVirtual))
        return false;
    unsigned vk = combination & 0xFF;
    if (vk == kVkTab && alt && !ctrl && !shift)
        return false;
    if (vk == kVkEsc && ctrl && !alt && !shift)
        return false;
    return vk == kVkIns || vk == kVkDel || (vk >= kVkPageUp && vk <= kVkDown) ||
           (vk >= kVkF1 && vk <= kVkF12) ||
           vk == kVkBackspace || vk == kVkEnter || vk == kVkTab || vk == kVkEsc ||
           (vk >= kVkNumPad0 && vk <= kVkNumPadDiv && vk != kVkNumPadSeparator);
}

std::vector<uint16_t> TKeyMap::PrefixKeys() const
{
    std::vector<uint16_t> keys;
    for (int i = 0; i < tables_[0].Count(); ++i)
        if (IsPrefixValue(tables_[0].At(i).command))
            keys.push_back(tables_[0].At(i).key);
    return keys;
}

TKeyMap& ProgramKeyMap()
{
    static TKeyMap map = [] {
        TKeyMap m;
        m.SetDefaults();
        m.SetModified(false);
        return m;
    }();
    return map;
}
