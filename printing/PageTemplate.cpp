// Page header and footer templates: the three aligned parts of one printed line.
#include "printing/PageTemplate.h"

namespace {

void Append(std::string& part, std::string_view text)
{
    if (part.size() < kTemplatePartLimit)
        part.append(text.substr(0, kTemplatePartLimit - part.size()));
}

}  // namespace

TTemplateParts ExpandTemplate(std::string_view text, const TTemplateFields& fields)
{
    TTemplateParts parts;
    std::string* part = &parts.centre;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c != '&') {
            Append(*part, std::string_view(&c, 1));
            continue;
        }
        if (++i == text.size())
            break;
        switch (text[i]) {
        case 'l': case 'L': part = &parts.left; break;
        case 'c': case 'C': part = &parts.centre; break;
        case 'r': case 'R': part = &parts.right; break;
        case 'p': case 'P': Append(*part, std::to_string(fields.page)); break;
        case 'f': case 'F': Append(*part, fields.fileName); break;
        case 'd': case 'D': Append(*part, fields.date); break;
        case 't': case 'T': Append(*part, fields.time); break;
        case '&': Append(*part, "&"); break;
        default: break;
        }
    }
    return parts;
}
