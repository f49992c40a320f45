// The screenshot program: puts one scene of the editor's windows on the screen for the screenshot scripts.
// Usage: vok_screenshots SCENE [MILLISECONDS]; without a scene it lists the scenes.
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/Commands.h"
#include "screenshots/win32/Scenes.h"

namespace {

struct TScene {
    const char* name;
    int (*show)(DWORD ms);
};

const TScene kScenes[] = {
    {"two-documents", ShowTwoDocuments},
    {"find-dialog", ShowFindDialog},
    {"replace-dialog", ShowReplaceDialogWithPatternMenu},
    {"dialog-and-frame", ShowDialogAndFrame},
    {"message-box", ShowMessageBox},
    {"sort-dialog", [](DWORD ms) { return ShowTransformDialog(ms, "Sort", cmSort); }},
    {"fill-block-dialog", [](DWORD ms) { return ShowTransformDialog(ms, "Fill Column Block", cmFillBlock); }},
    {"line-draw-style-dialog", [](DWORD ms) { return ShowTransformDialog(ms, "Line Draw Style", cmLineDrawStyle); }},
    {"word-count-dialog", [](DWORD ms) { return ShowTransformDialog(ms, "Word Count", cmWordCount); }},
    {"convert-text-dialog", [](DWORD ms) { return ShowTransformDialog(ms, "Convert Text", cmConvertText); }},
    {"change-case-dialog", [](DWORD ms) { return ShowFrameTransformDialog(ms, "Change Case"); }},
    {"convert-tab-size-dialog", [](DWORD ms) { return ShowFrameTransformDialog(ms, "Convert Tab Size"); }},
    {"language-dialog", [](DWORD ms) { return ShowFrameTransformDialog(ms, "Language"); }},
    {"convert-table-dialog", [](DWORD ms) { return ShowFrameTransformDialog(ms, "Convert Table"); }},
    {"macro-dialog", [](DWORD ms) { return ShowMacroDialog(ms, "Macro"); }},
    {"edit-macro-dialog", [](DWORD ms) { return ShowMacroDialog(ms, "Edit Macro"); }},
    {"key-mapping-dialog", [](DWORD ms) { return ShowMacroDialog(ms, "Key Mapping"); }},
    {"editor-commands-dialog", [](DWORD ms) { return ShowMacroDialog(ms, "Editor Commands"); }},
};

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2) {
        DWORD ms = argc >= 3 ? static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)) : 3000;
        for (const TScene& scene : kScenes)
            if (std::strcmp(argv[1], scene.name) == 0)
                return scene.show(ms);
        std::fprintf(stderr, "vok_screenshots: no scene \"%s\"\n", argv[1]);
    }
    std::fprintf(stderr, "usage: vok_screenshots SCENE [MILLISECONDS]\nscenes:");
    for (const TScene& scene : kScenes)
        std::fprintf(stderr, " %s", scene.name);
    std::fprintf(stderr, "\n");
    return 2;
}
