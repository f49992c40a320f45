// The clipboard's text of a marked block and the column-block record.
#include "editor_window/BlockText.h"

#include <algorithm>
#include <cstring>

#include "engine/Options.h"

namespace {
std::string ExpandTabs(const char* text)
{
    std::string out;
    const int tab = TabSize();
    for (; *text; ++text) {
        if (*text == '\t')
            out.append(static_cast<std::size_t>(tab - static_cast<int>(out.size()) % tab), ' ');
        else
            out += *text;
    }
    return out;
}

void PutLE32(std::string& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

uint32_t GetLE32(const unsigned char* p)
{
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}
}  // namespace

std::string BlockText(TVokEditor& ed)
{
    std::string out;
    if (!ed.selShown || ed.selStartLine > ed.lastLine)
        return out;
    const int32_t last = std::min(ed.selEndLine, ed.lastLine);
    LineRecord* line = ed.LineAt(ed.selStartLine);
    if (ed.columnMode) {
        const std::size_t left = static_cast<std::size_t>(std::min(ed.selStartCol, ed.selEndCol));
        const std::size_t right = static_cast<std::size_t>(std::max(ed.selStartCol, ed.selEndCol));
        if (left == right)
            return out;
        for (int32_t i = ed.selStartLine; i <= last && line; ++i, line = line->next) {
            std::string row = ExpandTabs(line->text);
            if (row.size() > left)
                out.append(row, left, right - left);
            out += "\r\n";
        }
        return out;
    }
    const char* text = line->text;
    if (ed.selStartLine == last) {
        const char* a = TVokEditor::PointerAtColumn(text, ed.selStartCol);
        const char* b = TVokEditor::PointerAtColumn(text, ed.selEndCol);
        if (b > a)
            out.assign(a, b);
        return out;
    }
    out = TVokEditor::PointerAtColumn(text, ed.selStartCol);
    out += "\r\n";
    line = line->next;
    for (int32_t i = ed.selStartLine + 1; i < last && line; ++i, line = line->next) {
        out += line->text;
        out += "\r\n";
    }
    if (line)
        out.append(static_cast<const char*>(line->text), TVokEditor::PointerAtColumn(line->text, ed.selEndCol));
    return out;
}

TColumnBlockSize ColumnBlockSize(const TVokEditor& ed)
{
    uint32_t width = static_cast<uint32_t>(std::abs(ed.selEndCol - ed.selStartCol));
    uint32_t height = static_cast<uint32_t>(std::abs(ed.selEndLine - ed.selStartLine)) + 1;
    return {width, height};
}

std::string PackColumnBlock(uint32_t width, uint32_t height, const std::string& text)
{
    std::string out;
    out.reserve(text.size() + 9);
    PutLE32(out, width);
    PutLE32(out, height);
    out += text;
    out += '\0';
    return out;
}

bool UnpackColumnBlock(const void* data, std::size_t size, uint32_t* width, uint32_t* height, std::string* text)
{
    if (!data || size < 8)
        return false;
    auto* p = static_cast<const unsigned char*>(data);
    *width = GetLE32(p);
    *height = GetLE32(p + 4);
    // The text ends at its zero or at the end of the block, whichever comes first.
    const char* t = reinterpret_cast<const char*>(p + 8);
    std::size_t n = 0;
    while (n < size - 8 && t[n])
        ++n;
    text->assign(t, n);
    return true;
}
