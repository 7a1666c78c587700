#pragma once
// What the host program prints per input: a block of aligned lines for
// people, or one JSON object on one line.

#include "host/cli/Measurement.h"

#include <string>

// One aligned line of a human-readable block.
std::string ReportLine(const std::string& label, const std::string& value);

// label names the input (its path as given; printed through PrintableText).
// A line counts the non-finite samples when there were any.
std::string HumanReport(const std::string& label, const Measurement& measurement);
// {"file": label, "sample rate": ..., "channels": ..., "frames": ...,
// "speed": ..., "channel config": ..., "non-finite samples": ...,
// "warning": ... (only when there is one), then each output parameter by
// name}; for an input that was not measured {"file": label, "error": text},
// or {"file": label, "warning": text} when it was stopped before its audio.
// Ends in a line break.
std::string JsonReport(const std::string& label, const Measurement& measurement);

// text with every control character (C0, DEL, C1) and every byte that is
// not UTF-8 written as \xHH, so that a file name cannot steer a terminal.
std::string PrintableText(const std::string& text);

// text as a JSON string, quoted; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(const std::string& text);
