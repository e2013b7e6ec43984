// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// mertano-cli --batch: one JSON request a line of standard input, one answer a line of
// standard output, in the same order, each as soon as its line has arrived.

#include <cstddef>

#include "calc/language_texts.h"
#include "cli/cli_materials.h"

namespace mertano::cli {

// A request is a few hundred bytes; a longer line is answered as invalid without being
// held, so endless input without line ends cannot fill the memory.
inline constexpr std::size_t kMaxBatchLineBytes = 1024 * 1024;
inline constexpr char kLineTooLong[] = "the line is longer than 1 MiB";

// How the answers are written.
struct OutputForm {
    bool csv = false;
    bool totals = false;
    bool steps = false;  // every answer carries its solution
};

// Answers standard input to its end. 0 when every line could be taken, kBatchHadInvalid
// when one could not, kIoError when the output could not be written or the input not
// read (the answers given until then are still delivered).
int RunBatch(const LanguageTexts& texts, CliMaterials& materials, OutputForm form);

}  // namespace mertano::cli
