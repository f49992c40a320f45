#include <gtest/gtest.h>

#include "support/RecordingEditor.h"

TEST(Smoke, NewDocumentHasOneEmptyLine)
{
    TRecordingEditor ed;
    EXPECT_EQ(ed.lastLine, 0);
    EXPECT_STREQ(ed.LineAt(5)->text, "");
}
