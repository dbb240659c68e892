#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "format/blank_records.h"
#include "format/file_set.h"
#include "format/ids.h"
#include "format/positions.h"

// One item of an editable kind as a run of bytes: its record first, then what travels
// with it (a Style's length and events, a Drum Kit's data block, a Backing Sequence's
// track lengths and events). The clipboards, the journal of an edit and the edit engine
// all hold items this way, whatever their kind.
//
//   Arrangement  record (164)
//   Style        record (69), present (1), length (4, little-endian), events
//   Program      record (172); a Drum Kit (user index 64-65) then its data block (880)
//   Backing Seq  record (209), 17 track lengths (2 each, little-endian), events
//   KBD Set      record (66)
namespace i40 {

using ItemImage = std::vector<std::uint8_t>;

ItemImage ReadItem(const FileSet& set, Kind kind, ItemIndex index);
// Writes an item into a position. A Program image without a data block leaves a Drum
// Kit's block as it is. Backing Sequence track starts are not laid out again here.
void WriteItem(FileSet& set, Kind kind, ItemIndex index, std::span<const std::uint8_t> image);

// Whether two Sets hold the same item at a position (cheaper than comparing images).
bool SameItem(const FileSet& a, const FileSet& b, Kind kind, ItemIndex index);
// The same, but the record's bytes at the offsets given may differ (its calls).
bool SameItemBeside(const FileSet& a, const FileSet& b, Kind kind, ItemIndex index,
                    std::span<const std::size_t> ignored);

// What erasing leaves at a position.
ItemImage BlankItem(const BlankRecords& blanks, Kind kind, ItemIndex index);

// The length a Style image holds, and the track lengths of a Backing Sequence image.
std::int32_t StyleImageLength(std::span<const std::uint8_t> image);
std::array<std::int16_t, kBsqTrackCount> BsqImageLengths(std::span<const std::uint8_t> image);

// Puts an item on a kind's clipboard. A Program leaves the clipboard's Drum Kit block as
// it was (only a Drum Kit brings its own), so that a Program pasted into a Drum Kit
// position takes whatever block the clipboard holds.
void TakeIntoClipboard(Kind kind, ItemImage& clipboard, std::span<const std::uint8_t> item);

// What travels with a record in an image, kind by kind: read into the image, written
// from it into a position, compared between two Sets (the kind table points here).
void ReadStyleTail(const FileSet& set, std::size_t index, ItemImage& image);
void WriteStyleTail(FileSet& set, std::size_t index, std::span<const std::uint8_t> image);
bool SameStyleTail(const FileSet& a, const FileSet& b, std::size_t index);
void ReadDrumKitTail(const FileSet& set, std::size_t index, ItemImage& image);
void WriteDrumKitTail(FileSet& set, std::size_t index, std::span<const std::uint8_t> image);
bool SameDrumKitTail(const FileSet& a, const FileSet& b, std::size_t index);
void ReadSequenceTail(const FileSet& set, std::size_t index, ItemImage& image);
void WriteSequenceTail(FileSet& set, std::size_t index, std::span<const std::uint8_t> image);
bool SameSequenceTail(const FileSet& a, const FileSet& b, std::size_t index);

// The Backing Sequence track starts and end as bytes, for the journal of an edit.
ItemImage ReadBsqLayout(const BsqData& bsq);
void WriteBsqLayout(BsqData& bsq, std::span<const std::uint8_t> image);

}  // namespace i40
