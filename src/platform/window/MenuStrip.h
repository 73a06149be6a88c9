#pragma once

#include <string>
#include <vector>

#include "platform/video/Rect.h"

namespace platform {

// The menu bar drawn by us above the game area: command items left to right,
// each as wide as its text plus a margin on either side, the strip's full height.
class MenuStrip {
public:
    static constexpr int kHeight = 20;
    static constexpr int kTextHeight = 14;
    static constexpr int kMargin = 8;

    struct Item {
        int id = 0;
        std::string text;  // CP932
        bool enabled = true;
        Rect bounds;  // client coordinates: the strip lies above the game area
        bool operator==(const Item&) const = default;
    };

    void addItem(int id, std::string text);
    // Takes the item with that command away, closing the gap; false when no item has it.
    bool removeItem(int id);
    // False when no item has that id.
    bool setEnabled(int id, bool enabled);
    bool isEnabled(int id) const;

    // A detached strip is neither drawn nor clickable.
    void setAttached(bool attached) { attached_ = attached; }
    bool attached() const { return attached_; }

    // The item under a client point; null off the items or while detached.
    const Item* itemAt(int x, int y) const;
    const std::vector<Item>& items() const { return items_; }

    // Width of CP932 text at the strip's text height: half of it per single-byte
    // character, all of it per two-byte one.
    static int TextWidth(const std::string& text);

private:
    Item* find(int id);

    std::vector<Item> items_;
    bool attached_ = true;
};

}  // namespace platform
