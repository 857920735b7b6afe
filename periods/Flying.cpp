// The decade list and the flying transformations (飞化) of the natal cells.
#include <algorithm>

#include "chart/StarTables.h"
#include "periods/Periods.h"

namespace qelvar {

std::array<Decade, 12> Decades(const NatalChart& natal) {
    std::array<Decade, 12> out{};
    std::array<Branch, 12> order{};
    for (Branch b = 0; b < 12; ++b) order[b] = b;
    std::sort(order.begin(), order.end(),
              [&](Branch a, Branch b) { return natal.decadeFirst[a] < natal.decadeFirst[b]; });
    for (int i = 0; i < 12; ++i) {
        const Branch b = order[i];
        Decade& d = out[i];
        d.cell = b;
        d.stemBranch = {natal.palaceStem[b], b};
        d.firstAge = natal.decadeFirst[b];
        d.lastAge = natal.decadeLast[b];
        d.firstYear = natal.lunarYear + d.firstAge - 1;
        d.lastYear = natal.lunarYear + d.lastAge - 1;
    }
    return out;
}

std::array<FlyingCell, 12> FlyingTransformations(const NatalChart& natal) {
    std::array<FlyingCell, 12> out{};
    for (Branch b = 0; b < 12; ++b) {
        FlyingCell& f = out[b];
        f.stemBranch = {natal.palaceStem[b], b};
        f.transformations = TransformationsOf(natal, f.stemBranch.stem);
        for (int k = 0; k < 4; ++k) f.self[k] = f.transformations[k].cell == b;
        f.surrounding = {b, Ring(b + 6), Ring(b + 4), Ring(b + 8)};
    }
    return out;
}

}  // namespace qelvar
