// Where the controls of every page stand: one table per page, in twips
// (Twips.h), keyed by the controls' object names, which are also the names
// the tests use. A page's layout is changed here and nowhere else.
//
// Data flow: each page hands its PageLayout to the Page base, which sizes
// the page; the page creates its controls with their names and then either
// places each one from its row (Page::at) or hands the whole table to
// applyPlacements(). The question rows are not listed: they follow
// QuestionRows, one row per question of the catalogue.
#pragma once

#include "Placement.h"

#include <span>

namespace tellumo {

// A page's inner size and its controls' places.
struct PageLayout {
    int width;
    int height;
    std::span<const Placement> controls;
};

// The question rows of a question page, from the top down: each question's
// label and its group of choices, a fixed pitch apart.
struct QuestionRows {
    int firstTop;
    int pitch;
    int labelLeft, labelWidth, labelHeight;
    int groupLeft, groupWidth, groupHeight;
};

// Place of choice slot 1, 2 or 3 inside every question's group.
struct SlotPlace {
    int slot;
    int left, top, width, height;
};

// The controls that every question page has (title, introduction, buttons)
// are the page's table; a row of that table for a question's label or group
// overrides the place that QuestionRows gives it.
struct QuestionPageLayout {
    PageLayout page;
    QuestionRows rows;
    std::span<const SlotPlace> slotPlaces;
};

namespace PageLayouts {

// Every control with its tab index; option buttons stand inside their group.
extern const PageLayout PersonalData;
extern const QuestionPageLayout QuestionsQ1toQ10;
extern const QuestionPageLayout QuestionsQ11toQ19;
extern const PageLayout Score;
extern const PageLayout Details;
extern const PageLayout Caution;
extern const PageLayout Advice;

} // namespace PageLayouts

} // namespace tellumo
