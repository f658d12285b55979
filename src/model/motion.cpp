// Driver advance, step-angle bands and the reading of typed numbers.
#include "motion.h"

#include "rounding.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace quarn {

void advanceDriverAngle(GearModel& m) {
    if (m.Direction == "Fwd")
        m.DriverAngle += m.StepAngle;
    else
        m.DriverAngle -= m.StepAngle;
    // In double: the single nearest 360.1 lies above it (360.1000061), so a comparison
    // with the single would never fold an angle of exactly that value.
    if (double(m.DriverAngle) > 360.1) m.DriverAngle -= 360;
    if (m.DriverAngle < 0) m.DriverAngle += 360;
}

void setRunning(GearModel& m, bool running) {
    m.Running = running ? 1 : 0;
    m.StepAngle = running ? m.StepAngleSetting : 0;
}

void chooseStepAngle(GearModel& m, float step) {
    m.StepAngleSetting = step;
    if (m.Running) m.StepAngle = step;
}

void setDirectionFromRevArm(GearModel& m) {
    m.Direction = m.RevArmCentre() <= m.RevArmPosition ? "Fwd" : "Rev";
}

namespace {

struct BandRow {
    int lastPosition;
    StepAngleBand band;
};

// Upper ends of the bands; each is centred on its preset's position.
constexpr std::array<BandRow, 16> bands{{
    {704, {0.01f, 1, 5}},       {1591, {0.02f, 2, 10}},     {2408, {0.03f, 3, 15}},
    {3612, {0.05f, 5, 25}},     {4704, {0.1f, 10, 50}},     {5591, {0.2f, 20, 100}},
    {6408, {0.3f, 30, 150}},    {7612, {0.5f, 50, 250}},    {8704, {1, 100, 500}},
    {9591, {2, 200, 1000}},     {10408, {3, 300, 1500}},    {11612, {5, 500, 2500}},
    {12704, {10, 1000, 4500}},  {13591, {20, 2000, 4500}},  {14408, {30, 3000, 4500}},
    {14613, {45, 4500, 4500}},
}};

}  // namespace

StepAngleBand stepAngleBand(int position) {
    for (const auto& row : bands)
        if (position <= row.lastPosition) return row.band;
    return bands.back().band;
}

int stepAnglePosition(double stepAngle) {
    return roundHalfEven(4000.0 * std::log10(stepAngle * 100.0));
}

double leadingNumber(std::string_view text) {
    // Longest prefix of the form [-]digits[.digits]; strtod would also take exponents
    // and "inf", which no key filter lets through.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    const std::size_t digitsStart = i;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) ++i;
    }
    const std::string number(text.substr(0, i));
    if (i == digitsStart || number == "-." || number == "+." || number == ".") return 0;
    return std::strtod(number.c_str(), nullptr);
}

}  // namespace quarn
