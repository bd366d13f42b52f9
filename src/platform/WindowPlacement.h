#pragma once

#include <cstdint>
#include <optional>

class QByteArray;

// The stored placement of the main window: eleven little-endian 32-bit fields, 44 bytes,
// laid out like the record that earlier releases wrote (length, flags, show state, minimised
// and maximised positions, and the normal rectangle of the client area).
struct WindowPlacement {
    static constexpr std::int32_t kSize = 44;

    std::int32_t length = 0;
    std::int32_t flags = 0;
    std::int32_t showCmd = 0;
    std::int32_t minX = 0;
    std::int32_t minY = 0;
    std::int32_t maxX = 0;
    std::int32_t maxY = 0;
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    // The 44 stored bytes; the length field always says 44, whatever `length` holds.
    QByteArray encode() const;
    // The record stored in exactly 44 bytes; any other size is not a placement.
    static std::optional<WindowPlacement> decode(const QByteArray &bytes);
};
static_assert(sizeof(WindowPlacement) == WindowPlacement::kSize);
