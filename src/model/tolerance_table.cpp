// The tolerance of each dimension, and the CSV it is kept in beside a design.
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "text_reading.h"
#include "tolerance.h"

namespace quarn {
namespace {

std::size_t indexOf(const DimensionDescriptor& d) {
    return static_cast<std::size_t>(&d - allDimensions().data());
}

// A CSV saved on another system ends its lines in a carriage return as well.
std::string_view csvTrimmed(std::string_view s) { return trimmed(s, " \t\r"); }

bool sameWord(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

const DimensionDescriptor* dimensionCalled(std::string_view name) {
    for (const auto& d : allDimensions())
        if (sameWord(d.field, name)) return &d;
    return nullptr;
}

std::optional<double> toleranceNumber(std::string_view s) {
    const auto v = finiteNumber(s);
    if (!v || *v < 0 || *v > MaxTolerance) return std::nullopt;
    return v;
}

}  // namespace

ToleranceTable ToleranceTable::allAt(double t) { return {std::vector<double>(allDimensions().size(), t)}; }

double ToleranceTable::of(const DimensionDescriptor& d) const {
    const std::size_t i = indexOf(d);
    return i < tolerance.size() ? tolerance[i] : 0;
}

void ToleranceTable::set(const DimensionDescriptor& d, double t) {
    const std::size_t i = indexOf(d);
    if (tolerance.size() < allDimensions().size()) tolerance.resize(allDimensions().size(), 0);
    tolerance[i] = t;
}

std::string toleranceCsvText(const ToleranceTable& t) {
    std::string out = "name,tolerance\n";
    for (const auto& d : allDimensions()) {
        char figure[40];
        std::snprintf(figure, sizeof figure, "%.9g", t.of(d));
        out += std::string(d.field) + ',' + figure + '\n';
    }
    return out;
}

std::optional<ToleranceTable> readToleranceCsv(std::string_view text, const ToleranceTable& start,
                                               std::string* problem) {
    ToleranceTable out = start;
    out.tolerance.resize(allDimensions().size(), 0);
    int lineNumber = 0;
    const auto fail = [&](const std::string& why) -> std::optional<ToleranceTable> {
        if (problem) *problem = "line " + std::to_string(lineNumber) + ": " + why;
        return std::nullopt;
    };
    while (!text.empty()) {
        ++lineNumber;
        const auto newline = text.find('\n');
        const std::string_view line = csvTrimmed(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        if (line.empty()) continue;
        const auto comma = line.find(',');
        if (comma == std::string_view::npos)
            return fail("\"" + std::string(line) + "\" is not NAME,TOLERANCE");
        const std::string_view name = csvTrimmed(line.substr(0, comma)), figure = csvTrimmed(line.substr(comma + 1));
        if (sameWord(name, "name") && sameWord(figure, "tolerance")) continue;
        const DimensionDescriptor* d = dimensionCalled(name);
        if (!d) return fail("no dimension is called \"" + std::string(name) + "\"");
        const auto t = toleranceNumber(figure);
        if (!t) return fail("\"" + std::string(figure) + "\" is no tolerance: write a number from 0 to 1");
        out.set(*d, *t);
    }
    return out;
}

}  // namespace quarn
