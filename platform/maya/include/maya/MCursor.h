#pragma once
// A pointer shape a tool context shows in the view.

#include <vector>

namespace mayasim {
struct CursorAccess;
}

class MCursor {
public:
    MCursor(short width, short height, short hotSpotX, short hotSpotY, unsigned char* bits,
            unsigned char* mask);
    MCursor(const MCursor& other) = default;
    ~MCursor() = default;
    MCursor& operator=(const MCursor& other) = default;
    bool operator==(const MCursor& other) const { return id_ == other.id_; }
    bool operator!=(const MCursor& other) const { return id_ != other.id_; }

    static const MCursor defaultCursor;
    static const MCursor crossHairCursor;
    static const MCursor doubleCrossHairCursor;
    static const MCursor editCursor;
    static const MCursor pencilCursor;
    static const MCursor handCursor;

private:
    friend struct mayasim::CursorAccess;
    explicit MCursor(int id) : id_(id) {}
    int id_ = 0;
    short width_ = 0;
    short height_ = 0;
    short hotSpotX_ = 0;
    short hotSpotY_ = 0;
    std::vector<unsigned char> bits_;
    std::vector<unsigned char> mask_;
};
