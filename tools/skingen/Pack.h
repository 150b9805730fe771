// Places rectangles into a picture: first free spot scanning rows top to bottom, never
// overlapping what is reserved or already placed. Deterministic.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "Raster.h"

namespace skingen {

class Packer {
public:
    Packer(int width, int height) : width_(width), height_(height) {}
    void Reserve(Box b) { used_.push_back({b.l - 1, b.t - 1, b.r + 1, b.b + 1}); }
    Box Place(int w, int h) {
        for (int y = 1; y + h < height_; y += 1) {
            int x = 1;
            while (x + w < width_) {
                const Box cand{x, y, x + w, y + h};
                const Box* hit = nullptr;
                for (const Box& u : used_)
                    if (cand.l < u.r && u.l < cand.r && cand.t < u.b && u.t < cand.b) {
                        hit = &u;
                        break;
                    }
                if (!hit) {
                    Reserve(cand);
                    return cand;
                }
                x = hit->r + 1;
            }
        }
        throw std::runtime_error("no room for " + std::to_string(w) + "x" + std::to_string(h));
    }
    // n cells of w x h side by side, 2 pixels apart.
    std::vector<Box> Strip(int w, int h, int n) {
        const Box all = Place(n * w + (n - 1) * 2, h);
        std::vector<Box> cells;
        for (int i = 0; i < n; ++i)
            cells.push_back({all.l + i * (w + 2), all.t, all.l + i * (w + 2) + w, all.b});
        return cells;
    }

private:
    int width_, height_;
    std::vector<Box> used_;
};

}  // namespace skingen
