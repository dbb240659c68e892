#include "sysex/midi_parser.h"

namespace i40 {
namespace {

// Data bytes that follow a status byte (F0 and F7 aside).
std::size_t DataBytesAfter(std::uint8_t status) {
  if (status < 0xF0) {
    const std::uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
  }
  switch (status) {
    case 0xF1:
    case 0xF3:
      return 1;
    case 0xF2:
      return 2;
    default:
      return 0;
  }
}

}  // namespace

void MidiParser::Reset() {
  message_.clear();
  inSysEx_ = false;
  overlong_ = false;
  runningStatus_ = 0;
  dataNeeded_ = 0;
}

void MidiParser::Feed(std::span<const std::uint8_t> bytes,
                      std::vector<std::vector<std::uint8_t>>& out) {
  for (const std::uint8_t byte : bytes)
    Put(byte, out);
}

void MidiParser::Put(std::uint8_t byte, std::vector<std::vector<std::uint8_t>>& out) {
  if (byte >= 0xF8) {
    out.push_back({byte});  // real time: alone, wherever it comes
    return;
  }
  if (inSysEx_) {
    if (byte < 0x80) {
      if (message_.size() < kMaxKept) {
        message_.push_back(byte);
      } else {
        overlong_ = true;
      }
      return;
    }
    if (byte == 0xF7) {
      if (!overlong_) message_.push_back(byte);
      out.push_back(std::move(message_));
      message_.clear();
      inSysEx_ = false;
      overlong_ = false;
      return;
    }
    // Any other status cuts the message off: it is dropped, and the byte read anew.
    message_.clear();
    inSysEx_ = false;
    overlong_ = false;
  }
  if (byte == 0xF0) {
    message_ = {byte};
    inSysEx_ = true;
    runningStatus_ = 0;
    dataNeeded_ = 0;
    return;
  }
  if (byte >= 0x80) {
    message_ = {byte};
    // Only channel messages run on; an F7 outside a SysEx ends nothing.
    runningStatus_ = byte < 0xF0 ? byte : 0;
    dataNeeded_ = byte == 0xF7 ? 0 : DataBytesAfter(byte);
    if (byte == 0xF7) {
      message_.clear();
      return;
    }
    if (dataNeeded_ == 0) {
      out.push_back(std::move(message_));
      message_.clear();
    }
    return;
  }
  // A data byte outside a SysEx: the next of a message, or a new one on running status.
  if (dataNeeded_ == 0) {
    if (runningStatus_ == 0) return;  // no status it could belong to
    message_ = {runningStatus_};
    dataNeeded_ = DataBytesAfter(runningStatus_);
  }
  message_.push_back(byte);
  if (--dataNeeded_ == 0) {
    out.push_back(std::move(message_));
    message_.clear();
  }
}

}  // namespace i40
