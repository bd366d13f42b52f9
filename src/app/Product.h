#pragma once

// The names the program shows and stores things under.
namespace Product {
inline constexpr auto kDisplayName = u"Sonexa";
inline constexpr auto kCompactName = u"Sonexa";
inline constexpr auto kMaker = u"Brightfold";
inline constexpr auto kVersion = u"1.0";
} // namespace Product
