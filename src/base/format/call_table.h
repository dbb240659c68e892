#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "format/ids.h"
#include "format/kinds.h"

// Where items call other items: for each kind of caller, the fields of its record that
// hold a call, which kind they call, how the number is stored, the track that makes the
// call and where the picker opens when a pasted item's call has to be redirected.
// Every walk over calls (the calls check, renumbering, redirection, callers lists,
// highlighting, reports, the Set checker) reads this one table.
namespace i40 {

enum class CallEncoding {
  // Low byte, high byte; bit 7 of the high byte is something else the instrument keeps
  // there and is not part of the number. Writing stores number mod 256, number div 256.
  TrackCall,
  // A signed 16-bit little-endian number, read without masking.
  Signed16,
};

struct CallField {
  Kind caller;
  Kind called;  // Arrangement, Style or Program
  std::size_t offset;
  CallEncoding encoding;
  int track;                   // index among the caller's tracks; -1 for a call of no track
  std::string_view trackName;  // "DRUMS  ", "Low KBD"; empty for a call of no track
  ItemNumber pickStart;        // the number the picker opens on in the calls check
};

// The kinds whose records call other items, in the order callers are searched and
// listed: Arrangements, Styles, Backing Sequences, KBD Sets.
inline constexpr std::array<Kind, 4> kCallerKinds = {Kind::Arrangement, Kind::Style,
                                                     Kind::BackingSequence, Kind::KbdSet};

// The call fields of a caller kind, in the order its calls are checked and listed; empty
// for a kind that calls nothing.
std::span<const CallField> CallFieldsOf(Kind caller);
// The same, of each caller kind (the kind table hands them out).
std::span<const CallField> ArrangementCallFields();
std::span<const CallField> StyleCallFields();
std::span<const CallField> BsqCallFields();
std::span<const CallField> KbdSetCallFields();

// The number a call field holds, and writing a new one (only the field's own bytes).
ItemNumber ReadCall(std::span<const std::uint8_t> record, const CallField& field);
void WriteCall(std::span<std::uint8_t> record, const CallField& field, ItemNumber number);

}  // namespace i40
