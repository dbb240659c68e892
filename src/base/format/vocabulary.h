#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "format/ids.h"
#include "format/kinds.h"

// Names for the numbers stored in the instrument's files. Texts are exact, trailing
// blanks included: several tables pad their entries so reports line up in fixed pitch.
namespace i40 {

inline constexpr std::array<std::string_view, 16> kArrCategoryName = {
    "8 Beat", "16 Beat", "BallRoom", "Dance", "Latin",  "Country", "Trad",   "Jazz",
    "R & B",  "Funk",    "Rock",     "World", "User 1", "User 2",  "User 3", "User 4",
};

// Styles use the same sixteen texts as Arrangements, but they are a table of their own.
inline constexpr std::array<std::string_view, 16> kStyleCategoryName = kArrCategoryName;

inline constexpr std::array<std::string_view, 16> kProgramCategoryName = {
    "Keyboard", "Organ", "Guitar",    "Bass",        "Strings", "Air/Vocal", "Brass",      "Reed",
    "Pipe",     "Synth", "Synth Pad", "Bell/Mallet", "Plucked", "S.E.",      "Drum/Perc.", "User",
};

inline constexpr std::array<std::string_view, 9> kStyleTrackName = {
    "DRUMS  ", "PERC   ", "BASS   ", "ACC1   ", "ACC2   ",
    "ACC3   ", "Upper1 ", "Upper2 ", "Lower  ",
};

inline constexpr std::array<std::string_view, 11> kBsqTrackName = {
    "Upper1  ", "Upper2  ", "Lower   ", "Extra 1 ", "Extra 2 ", "Extra 3 ",
    "Extra 4 ", "Extra 5 ", "Extra 6 ", "Extra 7 ", "Extra 8 ",
};

inline constexpr std::array<std::string_view, 16> kSongTrackName = {
    "Trk  1", "Trk  2", "Trk  3", "Trk  4", "Trk  5", "Trk  6", "Trk  7", "Trk  8",
    "Trk  9", "Trk 10", "Trk 11", "Trk 12", "Trk 13", "Trk 14", "Trk 15", "Trk 16",
};

inline constexpr std::array<std::string_view, 3> kKbdSectionName = {"Low KBD", "Up1 KBD",
                                                                    "Up2 KBD"};

inline constexpr std::array<std::string_view, 12> kNoteName = {
    "C ", "C#", "D ", "D#", "E ", "F ", "F#", "G ", "G#", "A ", "A#", "B ",
};

// A MIDI key as the Arrangement dialog spells it: 36 is "C2", 55 "G3".
std::string KeyName(int key);

inline constexpr std::array<std::string_view, 4> kLevelName = {"OFF ", "LOW ", "HIGH", "FULL"};

inline constexpr std::array<std::string_view, 11> kKbdModeName = {
    "Full Up1", "Full Up1-Up2", "Split Up1-Low", "M. Drums",      "Full",      "Full Up2",
    "Split",    "Split Up1",    "Split Up2",     "Split Up1-Up2", "Split Low",
};

// The function of each of the 16 MIDI channels; six blanks is a channel without one.
inline constexpr std::array<std::string_view, 16> kMidiChannelUseName = {
    "      ", "Upper1", "L/Upp2", "Drums ", "Perc  ", "Bass  ", "ACC1  ", "ACC2  ",
    "ACC3  ", "      ", "      ", "Chord1", "Chord2", "      ", "ArrChg", "KBDChg",
};

// Entries 0-6 are the preset pairs a user drum kit pair can be exported to; entry 7 is
// the user pair itself.
inline constexpr std::array<std::string_view, 8> kDrumKitPairName = {
    "R11-R12", "R13-R14", "R15-R16", "R17-R18", "R21-R22", "R23-R24", "R25-R26", "R27-R28",
};

inline constexpr std::array<std::string_view, 47> kPedalFunctionName = {
    "OFF",
    "START/STOP",
    "SYNC START/STOP",
    "RESET",
    "INTRO/ENDING 1",
    "INTRO/ENDING 2",
    "FILL 1",
    "FILL 2",
    "VARIATION 1",
    "VARIATION 2",
    "VARIATION 3",
    "VARIATION 4",
    "CHORD HOLD",
    "BASS INVERSION",
    "SCALE CHANGE",
    "ARR/Style UP",
    "ARR/Style DOWN",
    "Program UP",
    "Program DOWN",
    "VARIATION UP",
    "VARIATION DOWN",
    "PUNCH IN/OUT",
    "EFFECT 1 ON/OFF",
    "EFFECT 2 ON/OFF",
    "DRUM MUTE",
    "PERC MUTE",
    "BASS MUTE",
    "ACC1 MUTE",
    "ACC2 MUTE",
    "ACC3 MUTE",
    "VOLUME",
    "EXPRESSION",
    "VDF CUTOFF",
    "EFFECT CONTROL",
    "ENTRY",
    "Inhibit",
    "Inhibit",
    "KBD LOCK",
    "TAP TEMPO",
    "SOUND HOLD ON/OFF",
    "SUSTAIN ON/OFF",
    "FADE IN/OUT",
    "ENSEMBLE ON/OFF",
    "MASTER VOLUME",
    "QUARTER TONE",
    "DAMPER",
    "CHORD LATCH",
};

inline constexpr int kBankTableSize = 8;

// Letter of a bank of an Arrangement, Style or Program; a single blank for every other
// (kind, bank) pair, as the bank tables are sized 8 x 8.
std::string_view BankLetter(Kind kind, BankNo bank);

// Largest index of a bank (63, or 15 for Style bank C and Program bank R); 0 where the
// bank does not exist.
int BankLastIndex(Kind kind, BankNo bank);

// Number of banks a kind's bank list offers (3 for Arrangements and Styles, 7 for
// Programs, 0 otherwise).
int BankCount(Kind kind);

// The message that starts every SysEx exchange with the instrument; the instrument
// search later puts the channel into byte 2 and the model into byte 3.
inline constexpr std::array<std::uint8_t, 6> kDefaultSysExHeader = {0xF0, 0x42, 0x30,
                                                                    0x4D, 0x23, 0xF7};

}  // namespace i40
