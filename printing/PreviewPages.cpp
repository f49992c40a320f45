// Which pages the print preview shows, and the moves of its buttons and keys.
#include "printing/PreviewPages.h"

void TPreviewPages::First()
{
    lastShown_ = lastShown_ - firstShown_ + kMinPage;
    firstShown_ = kMinPage;
}

void TPreviewPages::Previous()
{
    if (firstShown_ > kMinPage) {
        --firstShown_;
        --lastShown_;
    }
}

void TPreviewPages::Next()
{
    if (lastShown_ < maxPage_) {
        ++firstShown_;
        ++lastShown_;
    }
}

void TPreviewPages::Last()
{
    firstShown_ = maxPage_ - (lastShown_ - firstShown_);
    lastShown_ = maxPage_;
}

void TPreviewPages::SetTwoPages(bool two)
{
    twoPages_ = two;
    if (!two) {
        lastShown_ = firstShown_;
    } else if (maxPage_ > kMinPage) {
        // The second pane shows the next page; on the last page the pair moves back by one.
        if (firstShown_ == maxPage_)
            --firstShown_;
        lastShown_ = firstShown_ + 1;
    }
}

std::string TPreviewPages::StatusText(const std::string& page, const std::string& of) const
{
    if (firstShown_ != lastShown_)
        return page + " " + std::to_string(firstShown_) + " - " + std::to_string(lastShown_) + "  " + of + " " +
               std::to_string(maxPage_);
    return page + " " + std::to_string(firstShown_) + " " + of + " " + std::to_string(maxPage_);
}
