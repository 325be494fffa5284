// Shared behaviour of the screen interfaces.
#include "dict/screen.h"

#include "text/compare.h"

namespace tavik {

void NeighbourList::Fill(std::vector<Text> headwords) {
    Reset();
    for (const Text& headword : headwords) Add(headword);
}

int NeighbourList::FindPrefix(TextView prefix) const {
    const int count = Count();
    for (int i = 0; i < count; ++i) {
        if (StartsWithOrder(Item(i), prefix)) return i;
    }
    return -1;
}

}  // namespace tavik
