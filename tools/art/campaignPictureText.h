#ifndef VORN_TOOLS_ART_CAMPAIGNPICTURETEXT_H
#define VORN_TOOLS_ART_CAMPAIGNPICTURETEXT_H

#include "Paint.h"

// The lines of text on a campaign's opening and closing pictures: where each stands and in
// which ink. paintScreens writes them; checkReadability finds the ink by its colour in the
// line's band and measures it against the pixels around it.

namespace paint {

struct TextLine {
    float y;     // top of the line, in pixels
    float scale; // pixels per font pixel of Allegro's 8x8 font
    Rgb ink;
};

const int CAMPAIGN_PICTURE_W = 480, CAMPAIGN_PICTURE_H = 300;
// The inks are kept apart from every colour of the scenes, so the check finds only letters.
const TextLine CAMPAIGN_TITLE{36, 4, {255, 236, 170}};
const TextLine CAMPAIGN_SUBTITLE{84, 1.5f, {250, 250, 246}};
const TextLine CAMPAIGN_PROMPT{276, 1, {246, 246, 250}};

} // namespace paint

#endif
