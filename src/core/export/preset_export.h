#pragma once

#include <cstddef>

#include "format/file_ops.h"
#include "format/kinds.h"
#include "host/prompter.h"
#include "session/workspace.h"

namespace i40 {

// Where the instrument keeps its preset banks inside a preset data file (".PRE"). Records
// are stored exactly as in the Set's component files.
inline constexpr std::size_t kPresetArrangementBankOffset = 287004;  // + bank x 10496
inline constexpr std::size_t kPresetProgramBankOffset = 327680;      // + bank x 11008
inline constexpr std::size_t kPresetDrumKitPairOffset = 308293;      // + pair x 344
inline constexpr std::size_t kPresetDrumKitDataOffset = 311045;      // + pair x 1760

// Whether the bank shown in a Set window can be exported: the user Arrangement bank C,
// the user Program bank F or the user drum kits of bank R. The Utilities entry is meant
// to be enabled only then; the exports themselves do nothing for any other bank.
bool CanExportBank(Kind kind, BankNo shownBank);

// Utilities > Export to Preset File on the Arrangements tab: the Set's 64 Arrangements
// into preset bank A or B of a preset data file, then, if the user wants, the new names
// into the preset list. Only the user bank C is exported; with a preset bank shown the
// command does nothing.
//
// Returns false only when the preset list could not be read back after a rewrite: the
// message has been shown and the program must end. Cancelling, a refused file and a
// failed rewrite all return true.
[[nodiscard]] bool ExportArrangementBank(Workspace& ws, Prompter& prompter, SetSlot slot,
                                         BankNo shownBank, FileOps& ops = RealFileOps());

// The same on the Programs tab: bank F (the 64 user Programs) into preset bank A-E, or
// bank R (the two user drum kits) into one of the preset pairs R11-R12 .. R25-R26.
// Any other bank shown does nothing. Same result as above.
[[nodiscard]] bool ExportProgramBank(Workspace& ws, Prompter& prompter, SetSlot slot,
                                     BankNo shownBank, FileOps& ops = RealFileOps());

}  // namespace i40
