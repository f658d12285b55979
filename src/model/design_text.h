// The sensitivity study and the equaliser's result as text, for the command line and
// the windows' Copy.
#pragma once

#include <string>

#include "equaliser.h"
#include "sensitivity.h"

namespace quarn {

// A watched number as the tables show it: cut-offs with 3 decimals, leads with 5, an
// empty value as "none".
std::string watchedText(int index, const std::optional<double>& v, int width);

std::string sensitivityText(const SensitivityResult& r);
extern const char sensitivityCsvHeader[];
std::string sensitivityCsvRows(const SensitivityResult& r);

// Before and after of every watched number and of the cost, then the chosen values.
std::string equaliserText(const EqualiserOptions& o, const EqualiserResult& r);

}  // namespace quarn
