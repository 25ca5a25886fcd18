#ifndef VORN_UNITS_RANDSHUFFLE_H
#define VORN_UNITS_RANDSHUFFLE_H

#include <cstdlib>
#include <utility>

// Shuffles [first, last) with the Fisher-Yates walk that the old random_shuffle of the standard
// library made: element i swaps with element rand() % (i + 1), for i from 1 up, one draw of rand()
// each. Keeping exactly this sequence of draws keeps one seed giving one game.
template <typename RandomIt> void randShuffle(RandomIt first, RandomIt last) {
    if (first == last) return;
    for (RandomIt i = first + 1; i != last; ++i) {
        RandomIt j = first + std::rand() % ((i - first) + 1);
        if (i != j) std::iter_swap(i, j);
    }
}

#endif
