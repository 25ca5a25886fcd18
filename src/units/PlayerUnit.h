#ifndef VORN_UNITS_PLAYERUNIT_H
#define VORN_UNITS_PLAYERUNIT_H

#include <vector>

#include "units/PlayerCommand.h"
#include "units/Unit.h"

// The unit the person at the keyboard controls. Its HP is also its juice meter.
class PlayerUnit : public Unit {
  public:
    // The juice meter starts this part full: maxHP / startingJuicePart.
    static constexpr int startingJuicePart = 3;

    PlayerUnit(UnitList* list, UnitTemplate* t, Unit* creator, fixed x, fixed y, fixed angle, fixed scale,
               int variant);

    void draw(BITMAP* bmp, MusicSound* sound, bool paused, fixed canvas = itofix(1)) override;
    void decideAction() override;
    void takeDamage() override;
    void reduceScore(int n) override;
    ~PlayerUnit() override;
    void changeGoodStatusMax(int index, int value) override;
    void changeBadStatusMax(int index, int value) override;

    // The player's command for the coming steps; a unit that never got one does nothing.
    void setCommand(const PlayerCommand& c) {
        command = c;
        commanded = true;
    }
    void aim();
    // The aiming of one step for a mouse movement of (mickeyX, mickeyY): a movement longer than
    // threshold mickeys snaps the facing to its direction, a shorter one turns a tenth of the way.
    void aimWith(int mickeyX, int mickeyY, int threshold);
    void addJuiceGained(int n); // juice
    void resetJuiceGained();
    int getScore() const { return score; }
    int getJuiceGained() const { return juiceGained; }
    // n is the button, 1 to 3 (button 3 fires attack 4); the cost is in hit points (juice).
    int getHPCostOfAttack(int n) const;
    void setHPCostOfAttack(int n, int cost);
    std::vector<int>& getGoodStatusMax() { return goodStatusMax; }
    std::vector<int>& getBadStatusMax() { return badStatusMax; }

  private:
    void walkFromKeys();
    void fireAttacks(bool stunned);

    int juiceGained; // juice earned this step, after the ailments; added to hp at once
    PlayerCommand command;
    bool commanded;
    int hpCostOfAttack1, hpCostOfAttack2, hpCostOfAttack3; // hit points per use of buttons 1 to 3
    int comboTimer; // steps left in which the next attack continues a chain
    int comboCount; // links of the current chain
    int score;      // juice earned (before ailments) less damage taken and wall losses
    // Steps on each ailment's counter when it last grew (the HUD's full value); 0 after it ended,
    // 1 before it ever grew. Indexed GOOD_* and BAD_*.
    std::vector<int> goodStatusMax;
    std::vector<int> badStatusMax;
};

#endif
