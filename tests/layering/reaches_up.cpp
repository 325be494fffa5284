// Compiled against one layer alone: naming a header of the layer above must
// fail, which the layering test expects.
#include LAYERING_HEADER

int main() { return 0; }
