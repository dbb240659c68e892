#pragma once

#include <cstdint>
#include <string>

namespace i40 {

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;

  bool operator==(const Rgb&) const = default;
};

// A colour of the Set window's cells: an RGB value, or one of two colours that only the
// desktop knows: the system's grey-text colour and the grid's own background.
struct CellColour {
  enum class Token { Rgb, SystemGrey, GridDefault };

  Token token = Token::GridDefault;
  Rgb rgb;

  static constexpr CellColour Of(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    return {Token::Rgb, {r, g, b}};
  }
  static constexpr CellColour SystemGrey() { return {Token::SystemGrey, {}}; }
  static constexpr CellColour GridDefault() { return {Token::GridDefault, {}}; }

  bool operator==(const CellColour&) const = default;
};

// Text and colours of one cell of a grid or list.
struct CellLook {
  std::string text;
  CellColour textColour;
  CellColour background;

  bool operator==(const CellLook&) const = default;
};

namespace colours {
inline constexpr CellColour kBlack = CellColour::Of(0, 0, 0);
inline constexpr CellColour kBlue = CellColour::Of(0, 0, 255);
inline constexpr CellColour kRed = CellColour::Of(255, 0, 0);
inline constexpr CellColour kDarkRed = CellColour::Of(128, 0, 0);
inline constexpr CellColour kTeal = CellColour::Of(0, 128, 127);
inline constexpr CellColour kLightMagenta = CellColour::Of(255, 224, 255);
}  // namespace colours

// Text colour of an Arrangement, Style or Program cell. An empty user slot is blue.
// Otherwise, with "Highlight called Items" on, called items are red (user) or dark red
// (preset) and uncalled ones blue (user) or teal (preset); with it off, user items are
// black and presets grey.
constexpr CellColour ItemTextColour(bool empty, bool user, bool highlightCalls, bool called) {
  if (empty) return colours::kBlue;
  if (!highlightCalls) return user ? colours::kBlack : CellColour::SystemGrey();
  if (called) return user ? colours::kRed : colours::kDarkRed;
  return user ? colours::kBlue : colours::kTeal;
}

}  // namespace i40
