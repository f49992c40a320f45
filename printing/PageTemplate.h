// Page header and footer templates: the three aligned parts of one printed line.
#pragma once

#include <string>
#include <string_view>

// What a template's fields stand for on one page.
struct TTemplateFields {
    long page = 1;
    std::string fileName;
    std::string date;
    std::string time;
};

// The left-, centre- and right-aligned texts of a header or footer line.
struct TTemplateParts {
    std::string left;
    std::string centre;
    std::string right;
};

constexpr std::size_t kTemplatePartLimit = 79;  // characters a part may hold; the rest is dropped
constexpr std::size_t kTemplateLimit = 39;      // characters a header or footer template may hold

// Expands a template: text goes to the centre until &l, &c or &r switches part; &p, &f, &d and &t
// insert the page number, file name, date and time; && is one "&". Field letters are caseless; "&"
// before any other character drops both, and a final "&" ends the template.
TTemplateParts ExpandTemplate(std::string_view text, const TTemplateFields& fields);
