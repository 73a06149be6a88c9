#include "platform/window/MenuStrip.h"

#include <algorithm>

#include "platform/text/SjisText.h"

namespace platform {

void MenuStrip::addItem(int id, std::string text) {
    const int left = items_.empty() ? 0 : items_.back().bounds.right;
    const int width = TextWidth(text) + 2 * kMargin;
    items_.push_back({id, std::move(text), true, {left, -kHeight, left + width, 0}});
}

MenuStrip::Item* MenuStrip::find(int id) {
    const auto it = std::find_if(items_.begin(), items_.end(),
                                 [id](const Item& item) { return item.id == id; });
    return it != items_.end() ? &*it : nullptr;
}

bool MenuStrip::removeItem(int id) {
    Item* item = find(id);
    if (item == nullptr) return false;
    const int width = item->bounds.right - item->bounds.left;
    const auto removed = items_.erase(items_.begin() + (item - items_.data()));
    for (auto it = removed; it != items_.end(); ++it) {
        it->bounds.left -= width;
        it->bounds.right -= width;
    }
    return true;
}

bool MenuStrip::setEnabled(int id, bool enabled) {
    Item* item = find(id);
    if (item == nullptr) return false;
    item->enabled = enabled;
    return true;
}

bool MenuStrip::isEnabled(int id) const {
    for (const auto& item : items_) {
        if (item.id == id) return item.enabled;
    }
    return false;
}

const MenuStrip::Item* MenuStrip::itemAt(int x, int y) const {
    if (!attached_) return nullptr;
    for (const auto& item : items_) {
        const Rect& r = item.bounds;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) return &item;
    }
    return nullptr;
}

int MenuStrip::TextWidth(const std::string& text) {
    int width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = SjisCharLength(text, i);
        width += length == 2 ? kTextHeight : kTextHeight / 2;
        i += length;
    }
    return width;
}

}  // namespace platform
