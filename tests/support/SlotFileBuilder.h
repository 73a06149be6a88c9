#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "game/SlotImage.h"

namespace zktest {

// One field of a built slot file: where its bytes lie and what it is.
struct SlotFileField {
    enum class KIND { Integer, Float, Text, Marker };

    std::size_t offset = 0;
    std::size_t length = 0;
    std::string name;
    KIND kind = KIND::Integer;
};

// A slot file written straight from the layout, line by line, independently of the
// game's formatter, with a map of its fields in file order.
struct SlotFileBuilder {
    std::string bytes;
    std::vector<SlotFileField> fields;

    explicit SlotFileBuilder(const SlotImage& image);

    // The occurrence-th field (from 0) of that name; fails the test when there is none.
    const SlotFileField& Find(std::string_view name, int occurrence = 0) const;
    // The bytes with that field's text replaced.
    std::string With(std::string_view name, int occurrence, std::string_view text) const;
    // The line, counted from 1, on which a byte offset lies.
    std::int32_t LineOf(std::size_t offset) const;
};

}  // namespace zktest
