#include "sim/roundTrial.h"

#include <set>

#include "battle/Battle.h"
#include "sim/ScriptedPlayer.h"
#include "sim/Simulation.h"
#include "sim/SloppyPlayer.h"
#include "units/PlayerUnit.h"

RoundOutcome playRoundOut(Simulation& sim, SloppyPlayer* sloppy, long maxSteps,
                          const std::function<void(long steps, PlayerUnit* player)>& afterStep) {
    RoundOutcome out;
    out.state = ROUND_IN_PLAY;
    UnitList& list = sim.getUnitList();
    // Units are freed in the step they leave and their addresses used again, so an enemy counts
    // as new when it was not in the arena after the step before: a unit made in a step can only
    // take the address of one that had left by that step's start.
    std::set<Unit*> before, now;
    while (out.steps < maxSteps) {
        if (sloppy) sim.setCommand(sloppy->decide(list, sim.getRound(), sim.getLoader()));
        sim.runPass(1, true);
        out.steps++;
        now.clear();
        for (Unit* u : list.search(SEARCH_BY_SIDE, AFF_ENEMY)) {
            now.insert(u);
            if (!before.count(u)) out.enemiesSeen++;
        }
        before.swap(now);
        PlayerUnit* p = ScriptedPlayer::findPlayer(list);
        if (p) {
            out.maxHP = p->getMaxHP();
            out.hpLeft = p->getHP();
            out.score = p->getScore();
            if (out.lowestHP < 0 || p->getHP() < out.lowestHP) out.lowestHP = p->getHP();
        }
        if (afterStep) afterStep(out.steps, p);
        out.state = sim.getRoundState();
        if (out.state != ROUND_IN_PLAY) break;
    }
    if (out.state == ROUND_LOST) out.hpLeft = 0;
    return out;
}

const char* roundOutcomeWord(int state) {
    return state == ROUND_WON ? "won" : state == ROUND_LOST ? "lost" : "timeout";
}
