// libFuzzer target for the keymap file reader and writer; not part of the CMake build.
//
// Build and run from the source root (scripts/fuzz.sh does both, see fuzz/README.md):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. fuzz/KeymapFileFuzz.cpp \
//       keys/*.cpp macros/*.cpp engine/*.cpp search/*.cpp -o keymap_fuzz
//   ./keymap_fuzz -max_len=65536 fuzz/corpus/keymap
#include <cstddef>
#include <cstdint>
#include <string>

#include "base/ByteStream.h"
#include "keys/KeyMap.h"
#include "keys/KeymapFile.h"
#include "macros/MacroTable.h"

namespace {

void Check(bool condition)
{
    if (!condition)
        __builtin_trap();
}

// Tables that differ from both the defaults and an empty map, so that a load which touched them shows.
void FillBefore(TKeyMap& keyMap, TMacroTable& macros)
{
    keyMap.SetDefaults();
    (void)keyMap.MapKey('Q', true, false, true, 7);
    keyMap.SetModified(true);
    MacroRecord* r = macros.Create(3);
    if (r) {
        (void)macros.SetMacroName(kFirstMacroNumber + 3, "Before");
        (void)macros.AppendStep(kFirstMacroNumber + 3, {1, 'x'});
    }
    macros.SetChanged(true);
}

std::string Saved(TKeyMap& keyMap, TMacroTable& macros)
{
    TMemOutStream out;
    Check(SaveKeymap(out, keyMap, macros) == TKeymapResult::Ok);
    Check(!keyMap.Modified() && !macros.Changed());
    return out.Text();
}

}  // namespace

// The input is a keymap file. A file that is refused must leave the tables and their flags as they were;
// one that is taken must save to an image that loads back to the same tables (load, save, load, save
// gives the same bytes twice).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    TKeyMap keyMap;
    TMacroTable macros;
    FillBefore(keyMap, macros);
    const std::string before = KeymapFileImage(keyMap, macros);

    TMemInStream in(reinterpret_cast<const char*>(data), size);
    TKeymapResult result = LoadKeymap(in, keyMap, macros);
    if (result != TKeymapResult::Ok) {
        // Allocations do not fail here, so a partial load (OutOfMemory) must not be reported either.
        Check(result == TKeymapResult::NotCompatible || result == TKeymapResult::ReadError);
        Check(KeymapFileImage(keyMap, macros) == before);
        Check(keyMap.Modified() && macros.Changed());
        Check(!KeymapMessage(result, "ozm.key").empty());
        return 0;
    }
    Check(!keyMap.Modified() && !macros.Changed());
    Check(macros.Count() <= kMacroSlots);
    for (int slot = 0; slot < kMacroSlots; ++slot) {
        const MacroRecord* r = macros.Slot(slot);
        if (!r)
            continue;
        Check(r->stepCount <= kMaxMacroSteps);
        Check(r->stepCount == 0 || r->steps != nullptr);
    }

    const std::string first = Saved(keyMap, macros);
    Check(first == KeymapFileImage(keyMap, macros));

    TKeyMap again;
    TMacroTable againMacros;
    FillBefore(again, againMacros);
    TMemInStream reread(first);
    Check(LoadKeymap(reread, again, againMacros) == TKeymapResult::Ok);
    Check(Saved(again, againMacros) == first);
    // Every binding that was read can be looked up with its own key.
    for (int n = 0; n <= kPrefixTableCount; ++n) {
        const TKeyTable& table = n == 0 ? again.MainTable() : again.PrefixTable(n);
        Check(table.Count() <= table.Capacity());
        for (int i = 0; i < table.Count(); ++i)
            Check(table.Find(table.At(i).key) == i);
    }
    return 0;
}
