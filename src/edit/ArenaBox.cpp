#include "edit/ArenaBox.h"

#include <algorithm>
#include <cmath>

ArenaBox::ArenaBox(int boxX, int boxY, int boxW, int boxH, int arenaWidth, int arenaHeight)
    : arenaWidth(std::max(1, arenaWidth)), arenaHeight(std::max(1, arenaHeight)) {
    scale = std::min((double)boxW / this->arenaWidth, (double)boxH / this->arenaHeight);
    width = std::max(1, (int)std::lround(this->arenaWidth * scale));
    height = std::max(1, (int)std::lround(this->arenaHeight * scale));
    left = boxX + (boxW - width) / 2;
    top = boxY + (boxH - height) / 2;
}

bool ArenaBox::contains(int screenX, int screenY) const {
    return screenX >= left && screenX < left + width && screenY >= top && screenY < top + height;
}

void ArenaBox::toArena(int screenX, int screenY, int* arenaX, int* arenaY) const {
    *arenaX = std::clamp((int)std::lround((screenX - left + 0.5) / scale), 0, arenaWidth);
    *arenaY = std::clamp((int)std::lround((screenY - top + 0.5) / scale), 0, arenaHeight);
}

void ArenaBox::toScreen(int arenaX, int arenaY, int* screenX, int* screenY) const {
    *screenX = left + std::min(width - 1, (int)std::floor(arenaX * scale));
    *screenY = top + std::min(height - 1, (int)std::floor(arenaY * scale));
}
