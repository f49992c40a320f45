// Key codes: which virtual keys the key map sees, and the names and texts shown for them.
#include "keys/KeyCodes.h"

#include <cstring>

#include "base/TextTools.h"

namespace {

struct TKeyNameElement {
    const char* name;
    uint8_t vk;
};

// In the order the Key combos of the dialogs list them.
const TKeyNameElement kKeyNames[] = {
    {"A", 0x41}, {"B", 0x42}, {"C", 0x43}, {"D", 0x44}, {"E", 0x45}, {"F", 0x46}, {"G", 0x47},
    {"H", 0x48}, {"I", 0x49}, {"J", 0x4A}, {"K", 0x4B}, {"L", 0x4C}, {"M", 0x4D}, {"N", 0x4E},
    {"O", 0x4F}, {"P", 0x50}, {"Q", 0x51}, {"R", 0x52}, {"S", 0x53}, {"T", 0x54}, {"U", 0x55},
    {"V", 0x56}, {"W", 0x57}, {"X", 0x58}, {"Y", 0x59}, {"Z", 0x5A},
    {"0", 0x30}, {"1", 0x31}, {"2", 0x32}, {"3", 0x33}, {"4", 0x34}, {"5", 0x35}, {"6", 0x36},
    {"7", 0x37}, {"8", 0x38}, {"9", 0x39},
    {"F1", 0x70}, {"F2", 0x71}, {"F3", 0x72}, {"F4", 0x73}, {"F5", 0x74}, {"F6", 0x75}, {"F7", 0x76},
    {"F8", 0x77}, {"F9", 0x78}, {"F10", 0x79}, {"F11", 0x7A}, {"F12", 0x7B},
    {"Ins", kVkIns}, {"Del", kVkDel}, {"Home", kVkHome}, {"End", kVkEnd}, {"PageUp", kVkPageUp},
    {"PageDown", kVkPageDown}, {"Up", kVkUp}, {"Down", kVkDown}, {"Left", kVkLeft}, {"Right", kVkRight},
    {"Tab", kVkTab}, {"Esc", kVkEsc}, {"Enter", kVkEnter}, {"Backspace", kVkBackspace},
    {"NumPad0", 0x60}, {"NumPad1", 0x61}, {"NumPad2", 0x62}, {"NumPad3", 0x63}, {"NumPad4", 0x64},
    {"NumPad5", 0x65}, {"NumPad6", 0x66}, {"NumPad7", 0x67}, {"NumPad8", 0x68}, {"NumPad9", 0x69},
    {"NumPadDiv", kVkNumPadDiv}, {"NumPadMul", kVkNumPadMul}, {"NumPadSub", kVkNumPadSub},
    {"NumPadAdd", kVkNumPadAdd}, {"NumPadDec", kVkNumPadDec},
};
constexpr int kKeyNameCount = sizeof(kKeyNames) / sizeof(kKeyNames[0]);

bool ContainsNoCase(const std::string& text, const char* word)
{
    const std::size_t n = std::strlen(word);
    for (std::size_t i = 0; i + n <= text.size(); ++i)
        if (EqualNoCase(std::string_view(text).substr(i, n), word))
            return true;
    return false;
}

}  // namespace

bool IsLetterKey(uint16_t code)
{
    unsigned vk = code & 0xFF;
    return (code & kKeyVirtual) && vk >= kVkA && vk <= kVkZ;
}

bool IsDigitKey(uint16_t code)
{
    unsigned vk = code & 0xFF;
    return (code & kKeyVirtual) && vk >= kVk0 && vk <= kVk9;
}

uint16_t KeyCodeFromVirtualKey(unsigned vk, bool shift, bool ctrl, bool alt)
{
    bool known = vk == kVkBackspace || vk == kVkTab || vk == kVkEnter || vk == kVkEsc ||
                 (vk >= kVkPageUp && vk <= kVkDown) || vk == kVkIns || vk == kVkDel ||
                 (vk >= kVk0 && vk <= kVk9) || (vk >= kVkA && vk <= kVkZ) ||
                 (vk >= kVkNumPad0 && vk <= kVkNumPadDiv && vk != kVkNumPadSeparator) ||
                 (vk >= kVkF1 && vk <= kVkF12);
    if (!known)
        return 0;
    return WithModifiers(VirtualKey(vk), alt, ctrl, shift);
}

int KeyNameCount()
{
    return kKeyNameCount;
}

const char* KeyNameAt(int index)
{
    return index >= 0 && index < kKeyNameCount ? kKeyNames[index].name : nullptr;
}

uint16_t KeyCodeAt(int index)
{
    return index >= 0 && index < kKeyNameCount ? VirtualKey(kKeyNames[index].vk) : 0;
}

const char* KeyName(uint16_t code)
{
    if (!(code & kKeyVirtual))
        return nullptr;
    for (const TKeyNameElement& e : kKeyNames)
        if (e.vk == (code & 0xFF))
            return e.name;
    return nullptr;
}

uint16_t KeyCodeFromName(const char* name)
{
    if (!name)
        return 0;
    for (const TKeyNameElement& e : kKeyNames)
        if (EqualNoCase(e.name, name))
            return VirtualKey(e.vk);
    return 0;
}

std::string KeyText(uint16_t code)
{
    std::string text;
    if (code & kKeyAlt)
        text += "Alt+";
    if (code & kKeyCtrl)
        text += "Ctrl+";
    if (code & kKeyShift)
        text += "Shift+";
    if (const char* name = KeyName(code)) {
        text += name;
    } else if (!(code & kKeyVirtual)) {
        text += static_cast<char>(code & 0xFF);
    } else {
        // A key without a name can only come from a hand-made file; it still needs a visible, non-empty text.
        static const char kHex[] = "0123456789ABCDEF";
        text += "VK";
        text += kHex[(code >> 4) & 0xF];
        text += kHex[code & 0xF];
    }
    return text;
}

std::string SequenceText(uint16_t prefixCombination, uint16_t key)
{
    return KeyText(prefixCombination) + " " + KeyText(key);
}

uint16_t KeyCodeFromText(const std::string& text)
{
    if (text.empty())
        return 0;
    std::size_t plus = text.rfind('+');
    // A lone character that is no key name is a typed character ("[", "+").
    if (text.size() == 1 && !KeyCodeFromName(text.c_str()))
        return static_cast<uint8_t>(text[0]) >= 32 ? static_cast<uint8_t>(text[0]) : 0;
    std::string name = plus == std::string::npos ? text : text.substr(plus + 1);
    uint16_t code = KeyCodeFromName(name.c_str());
    if (!code)
        return 0;
    return WithModifiers(code, ContainsNoCase(text, "Alt+"), ContainsNoCase(text, "Ctrl+"),
                         ContainsNoCase(text, "Shift+"));
}
