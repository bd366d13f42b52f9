#include "platform/WindowPlacement.h"

#include <QByteArray>
#include <QtEndian>

#include <array>

namespace {

// The fields in their stored order, four bytes each.
constexpr std::array kFields = {
    &WindowPlacement::length, &WindowPlacement::flags,  &WindowPlacement::showCmd,
    &WindowPlacement::minX,   &WindowPlacement::minY,   &WindowPlacement::maxX,
    &WindowPlacement::maxY,   &WindowPlacement::left,   &WindowPlacement::top,
    &WindowPlacement::right,  &WindowPlacement::bottom,
};
static_assert(kFields.size() * sizeof(std::int32_t) == WindowPlacement::kSize);

} // namespace

QByteArray WindowPlacement::encode() const
{
    WindowPlacement stored = *this;
    stored.length = kSize;
    QByteArray bytes(kSize, Qt::Uninitialized);
    char *out = bytes.data();
    for (const auto field : kFields) {
        qToLittleEndian<std::int32_t>(stored.*field, out);
        out += sizeof(std::int32_t);
    }
    return bytes;
}

std::optional<WindowPlacement> WindowPlacement::decode(const QByteArray &bytes)
{
    if (bytes.size() != kSize)
        return std::nullopt;
    WindowPlacement placement;
    const char *in = bytes.constData();
    for (const auto field : kFields) {
        placement.*field = qFromLittleEndian<std::int32_t>(in);
        in += sizeof(std::int32_t);
    }
    return placement;
}
