// Key codes of the key map: virtual keys and typed characters with modifier bits, their names and texts.
#pragma once

#include <cstdint>
#include <string>

// A key code is 16 bits: the low byte is a virtual-key code (with kKeyVirtual set) or a typed character
// 32..255 (kKeyVirtual clear); the three modifier bits say which of Shift, Ctrl and Alt were held.
// These numbers are stored in keymap files: never change them.
enum : uint16_t {
    kKeyVirtual = 0x100,
    kKeyShift = 0x200,
    kKeyCtrl = 0x400,
    kKeyAlt = 0x800,
    kKeyModifiers = kKeyShift | kKeyCtrl | kKeyAlt,
};

// The window messages a key arrives in: a typed character (the code is the character), a key down and a
// system key down (the code is the virtual key).
enum class TKeyMessage : uint8_t { Char, KeyDown, SysKeyDown };

// The Windows virtual-key codes the key map knows, as plain numbers so portable code needs no system header.
enum : uint8_t {
    kVkBackspace = 0x08,
    kVkTab = 0x09,
    kVkEnter = 0x0D,
    kVkShift = 0x10,
    kVkControl = 0x11,
    kVkMenu = 0x12,
    kVkEsc = 0x1B,
    kVkPageUp = 0x21,
    kVkPageDown = 0x22,
    kVkEnd = 0x23,
    kVkHome = 0x24,
    kVkLeft = 0x25,
    kVkUp = 0x26,
    kVkRight = 0x27,
    kVkDown = 0x28,
    kVkIns = 0x2D,
    kVkDel = 0x2E,
    kVk0 = 0x30,
    kVk9 = 0x39,
    kVkA = 0x41,
    kVkZ = 0x5A,
    kVkNumPad0 = 0x60,
    kVkNumPad9 = 0x69,
    kVkNumPadMul = 0x6A,
    kVkNumPadAdd = 0x6B,
    kVkNumPadSeparator = 0x6C,
    kVkNumPadSub = 0x6D,
    kVkNumPadDec = 0x6E,
    kVkNumPadDiv = 0x6F,
    kVkF1 = 0x70,
    kVkF12 = 0x7B,
};

// The key code of a plain virtual key, without modifiers.
constexpr uint16_t VirtualKey(unsigned vk)
{
    return static_cast<uint16_t>(kKeyVirtual | (vk & 0xFF));
}
// The code with the modifier bits of the three flags added.
constexpr uint16_t WithModifiers(uint16_t code, bool alt, bool ctrl, bool shift)
{
    return static_cast<uint16_t>(code | (alt ? kKeyAlt : 0) | (ctrl ? kKeyCtrl : 0) | (shift ? kKeyShift : 0));
}
// The key or character part of a code, without modifier bits.
constexpr uint16_t KeyPart(uint16_t code)
{
    return static_cast<uint16_t>(code & (kKeyVirtual | 0xFF));
}

// True for the plain letter keys A..Z and digit keys 0..9 (modifiers ignored).
bool IsLetterKey(uint16_t code);
bool IsDigitKey(uint16_t code);

// The code of a virtual key pressed with the given modifiers, or 0 for a key the key map never sees
// (Shift, Ctrl, Alt themselves, punctuation keys, which arrive as typed characters, and the like).
uint16_t KeyCodeFromVirtualKey(unsigned vk, bool shift, bool ctrl, bool alt);

// The named keys in the order the dialogs list them.
int KeyNameCount();
const char* KeyNameAt(int index);
uint16_t KeyCodeAt(int index);
// The name of a code's key part, or null when the key has none (typed characters among them).
const char* KeyName(uint16_t code);
// The plain key code of a name (compared without regard to case), or 0.
uint16_t KeyCodeFromName(const char* name);

// The displayed text of a combination: "Alt+", "Ctrl+", "Shift+" as held, then the key name; a typed
// character shows as itself.
std::string KeyText(uint16_t code);
// The displayed text of a two-stroke sequence: the prefix combination, one blank, the second key.
std::string SequenceText(uint16_t prefixCombination, uint16_t key);
// The code that a combination text names ("Ctrl+Shift+F3", "Alt+a", "["), or 0 when it names none.
uint16_t KeyCodeFromText(const std::string& text);
