// Which pages the print preview shows, and the moves of its buttons and keys.
#pragma once

#include <string>

// One or two shown pages out of 1..maxPage. In two-page mode lastShown is the page after firstShown
// whenever the document has one.
class TPreviewPages {
public:
    explicit TPreviewPages(unsigned maxPage) : maxPage_(maxPage ? maxPage : 1) {}

    unsigned FirstShown() const { return firstShown_; }
    unsigned LastShown() const { return lastShown_; }
    unsigned MaxPage() const { return maxPage_; }
    bool TwoPages() const { return twoPages_; }

    void First();
    void Previous();
    void Next();
    void Last();
    void SetTwoPages(bool two);

    bool CanGoBack() const { return firstShown_ != kMinPage; }
    bool CanGoForward() const { return lastShown_ != maxPage_; }

    // "Page 3 of 10" or "Page 3 - 4  of 10" with the words given.
    std::string StatusText(const std::string& page, const std::string& of) const;

private:
    static constexpr unsigned kMinPage = 1;
    unsigned firstShown_ = 1;
    unsigned lastShown_ = 1;
    unsigned maxPage_;
    bool twoPages_ = false;
};
