// Handing a new program-wide tab size to the open documents, which may refuse it.
#include "shell/TabSizeChange.h"

#include "engine/EditorTypes.h"
#include "engine/LineRecord.h"
#include "engine/VokEditor.h"

bool LinesFitTabSize(const TVokEditor& editor, int tabSize)
{
    if (tabSize < 1)
        return false;
    for (const LineRecord* line = editor.firstLine; line; line = line->next) {
        int col = 0;
        for (const char* p = line->text; *p; ++p) {
            col += *p == '\t' ? tabSize - col % tabSize : 1;
            if (col > kLineWidthLimit)
                return false;
        }
    }
    return true;
}

bool HandOverTabSize(const std::vector<TVokEditor*>& documents, int tabSize)
{
    // Columns of every document are laid out with the one tab size, so a single refusal keeps the old one.
    for (TVokEditor* editor : documents) {
        if (!LinesFitTabSize(*editor, tabSize)) {
            editor->ReportError(kErrLineTooLong);
            return false;
        }
    }
    return true;
}
