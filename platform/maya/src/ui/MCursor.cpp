#include <maya/MCursor.h>

#include <cstring>

MCursor::MCursor(short width, short height, short hotSpotX, short hotSpotY, unsigned char* bits,
                 unsigned char* mask)
    : id_(-1), width_(width), height_(height), hotSpotX_(hotSpotX), hotSpotY_(hotSpotY) {
    // A 1-bit image: rows padded to whole bytes.
    const size_t bytes = static_cast<size_t>((width + 7) / 8) * static_cast<size_t>(height);
    if (bits)
        bits_.assign(bits, bits + bytes);
    if (mask)
        mask_.assign(mask, mask + bytes);
    static int nextId = 100;
    id_ = nextId++;
}

const MCursor MCursor::defaultCursor(0);
const MCursor MCursor::crossHairCursor(1);
const MCursor MCursor::doubleCrossHairCursor(2);
const MCursor MCursor::editCursor(3);
const MCursor MCursor::pencilCursor(4);
const MCursor MCursor::handCursor(5);
