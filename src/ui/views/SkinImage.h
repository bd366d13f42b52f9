#pragma once

#include <QImage>
#include <QString>

#include <optional>

// The program's skin images are PNG files in the resource system, under ":/skin" unless a
// test points elsewhere. A missing image gives none; bytes that do not decode give a null
// image, which measures 0 x 0 and draws nothing. On a scaled screen the @2x file is taken
// when there is one, with its device pixel ratio set, so sizes stay in logical pixels.
inline constexpr auto kSkinRoot = u":/skin";

std::optional<QImage> loadPngResource(const QString &root, const QString &name,
                                      qreal devicePixelRatio = 1.0);
