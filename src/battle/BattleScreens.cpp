// What the battle shows: the arena, the HUD, the finished frame and the still pictures.
#include <cstdio>
#include <vector>

#include "battle/Battle.h"
#include "battle/FrameClock.h"
#include "battle/hudDrawing.h"
#include "battle/screenLayout.h"
#include "content/Loader.h"
#include "content/Round.h"
#include "frame/globals.h"
#include "system/InputObj.h"
#include "system/MusicSound.h"
#include "system/quitRequest.h"
#include "units/PlayerUnit.h"
#include "units/UnitList.h"

void Battle::drawArena(BITMAP* target) {
    BITMAP* pic = round->getArenaPic();
    if (pic && target) stretch_blit(pic, target, 0, 0, pic->w, pic->h, 0, 0, target->w, target->h);
}

void Battle::copyArenaToBuffer() {
    // The arena's centre lands on the frame's centre.
    pivot_scaled_sprite(buffer, arena, buffer->w / 2, buffer->h / 2, arena->w / 2, arena->h / 2, angle,
                        canvas == itofix(1) ? scale : itofix(1));
}

void Battle::drawCentred(BITMAP* picture) {
    masked_blit(picture, buffer, 0, 0, buffer->w / 2 - picture->w / 2, buffer->h / 2 - picture->h / 2,
                picture->w, picture->h);
}

void Battle::drawToScreen(BITMAP* cursor, bool wait) {
    if (cursor) pivot_sprite(buffer, cursor, mouse_x, mouse_y, cursor->w / 2, cursor->h / 2, itofix(0));
    if (wait) {
        // One frame per tick; a backlog is dropped, not caught up.
        waitForTick();
        gotoNextFrame = 0;
    }
    blit(buffer, screen, 0, 0, 0, 0, screenWidth(), screenHeight());
    fpsCount++;
    clear_bitmap(buffer);
}

void Battle::drawHUD(Loader* l) {
    HudLayout hud = computeHudLayout(buffer->w, buffer->h);
    int grey = makecol(160, 160, 160);
    char text[64];
    textout_centre_ex(buffer, font, round->getName()->c_str(), hud.textX, hud.nameY, grey, -1);
    snprintf(text, sizeof text, "fps: %d", fpsMax.load());
    textout_centre_ex(buffer, font, text, hud.textX, hud.fpsY, grey, -1);

    std::vector<Unit*> players = unitList->search(SEARCH_PLAYERS, 0);
    PlayerUnit* player = players.empty() ? nullptr : dynamic_cast<PlayerUnit*>(players.front());
    if (!player) return;
    snprintf(text, sizeof text, "score: %d", player->getScore() + totalScore);
    textout_centre_ex(buffer, font, text, hud.textX, hud.scoreY, grey, -1);

    if (!statusIcon || statusIcon->w != hud.iconSize || statusIcon->h != hud.iconSize) {
        if (statusIcon) destroy_bitmap(statusIcon);
        statusIcon = hud.iconSize > 0 ? create_bitmap(hud.iconSize, hud.iconSize) : nullptr;
    }
    drawHealthBar(buffer, hud, player->getHP(), player->getMaxHP(), player->getHPCostOfAttack(2),
                  player->getHPCostOfAttack(3));
    if (!statusIcon) return;
    drawAilmentIcons(buffer, statusIcon, hud, goodIconX(hud, arenaLeft), *l->getGoodStatusPics(),
                     player->getGoodStatus(), player->getGoodStatusMax());
    drawAilmentIcons(buffer, statusIcon, hud, badIconX(arenaLeft, scale, arena ? arenaWidth : 0),
                     *l->getBadStatusPics(), player->getBadStatus(), player->getBadStatusMax());
}

void Battle::showCampaignIntro(BITMAP* picture) {
    introFramesShown = 0;
    if (picture && buffer) {
        for (int i = 0; i < 30; i++) {
            drawCentred(picture);
            drawToScreen(NULL, true);
            musicSound->updateMusic();
            inputObj->processInput(false);
            introFramesShown++;
            if (inputObj->anyClicked() || quitRequested()) break;
        }
    }
    resetTimers();
}

void Battle::showRoundIntro(int frames, int minFrames, BITMAP* picture, BITMAP*, bool withUnits) {
    introFramesShown = 0;
    if (picture && buffer && arena) {
        for (int i = 0; i < frames; i++) {
            drawArena(arena);
            if (withUnits) unitList->drawUnits(arena, musicSound, true, canvas);
            copyArenaToBuffer();
            drawCentred(picture);
            drawToScreen(NULL, true);
            musicSound->updateMusic();
            inputObj->processInput(false);
            introFramesShown++;
            // The first minFrames + 1 frames cannot be skipped.
            if ((i > minFrames && inputObj->anyClicked()) || quitRequested()) break;
        }
    }
    resetTimers();
}
