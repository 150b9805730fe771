// Builds the definition text section by section, in the order the sections are added.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "Raster.h"

namespace skingen {

struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
    Section& Add(const std::string& key, const std::string& value) {
        keys.emplace_back(key, value);
        return *this;
    }
    Section& Add(const std::string& key, int value) { return Add(key, std::to_string(value)); }
};

[[nodiscard]] inline std::string R(Box b) {
    return std::to_string(b.l) + "," + std::to_string(b.t) + "," + std::to_string(b.r) + "," +
           std::to_string(b.b);
}
[[nodiscard]] inline std::string R(int l, int t, int r, int b) { return R(Box{l, t, r, b}); }
[[nodiscard]] inline std::string P(int x, int y) {
    return std::to_string(x) + "," + std::to_string(y);
}
// `inner` relative to the top-left of `outer`.
[[nodiscard]] inline Box Rel(Box inner, Box outer) {
    return {inner.l - outer.l, inner.t - outer.t, inner.r - outer.l, inner.b - outer.t};
}
// TColor value (0x00BBGGRR) as the definition text writes colours.
[[nodiscard]] inline std::string C(Rgb c) { return std::to_string(c.r | (c.g << 8) | (c.b << 16)); }

struct SkinText {
    std::vector<Section> sections;
    Section& Add(const std::string& name) {
        sections.push_back({name, {}});
        return sections.back();
    }
    [[nodiscard]] std::string Render() const {
        std::string out;
        for (const Section& s : sections) {
            out += "[" + s.name + "]\r\n";
            for (const auto& [k, v] : s.keys) out += k + "=" + v + "\r\n";
            out += "\r\n";
        }
        return out;
    }
};

}  // namespace skingen
