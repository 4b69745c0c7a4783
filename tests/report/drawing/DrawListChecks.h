#pragma once

#include "report/drawing/TrpDrawList.h"

#include <gtest/gtest.h>

// Checks shared by the drawing tests: texts recorded from what was shaped
// before must record as the painter's own texts do.
namespace DrawListChecks {

// Everything but the glyphs alike, record by record.
inline void expectSameRecords(const TrpDrawList &painted, const TrpDrawList &recorded)
{
    EXPECT_EQ(recorded.states(), painted.states());
    ASSERT_EQ(recorded.records().size(), painted.records().size());
    for (qsizetype i = 0; i < painted.records().size(); ++i) {
        const TrpDrawRecord &a = painted.records()[i];
        const TrpDrawRecord &b = recorded.records()[i];
        EXPECT_EQ(a.state, b.state) << i;
        EXPECT_EQ(a.bounds, b.bounds) << i;
        const auto *textA = std::get_if<TrpDrawRecord::Text>(&a.item);
        const auto *textB = std::get_if<TrpDrawRecord::Text>(&b.item);
        ASSERT_EQ(bool(textA), bool(textB)) << i;
        if (!textA)
            continue;
        const std::string text = textA->text.toStdString();
        EXPECT_EQ(textA->text, textB->text) << i;
        EXPECT_EQ(textA->origin, textB->origin) << i << " " << text;
        EXPECT_EQ(textA->width, textB->width) << i << " " << text;
        EXPECT_EQ(textA->ascent, textB->ascent) << i << " " << text;
        EXPECT_EQ(textA->descent, textB->descent) << i << " " << text;
    }
}

// The text runs that carry their glyphs.
inline int glyphTexts(const TrpDrawList &list)
{
    int count = 0;
    for (const TrpDrawRecord &record : list.records()) {
        const auto *text = std::get_if<TrpDrawRecord::Text>(&record.item);
        count += text && !text->glyphs.isEmpty() ? 1 : 0;
    }
    return count;
}

} // namespace DrawListChecks
