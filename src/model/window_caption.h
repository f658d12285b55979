// The window captions, refreshed every frame: which set is loaded, when, and the
// program's version.
#pragma once

#include <string>

namespace quarn {

namespace caption {
inline constexpr char MainWindow[] = "QUARN Inside Admission            ";
inline constexpr char SineDiagram[] = "QUARN Inside Admission      Sine Diagram    ";
inline constexpr char OvalDiagram[] = "QUARN Inside Admission      Oval Diagram    ";
inline constexpr char SteamDiagram[] = "QUARN Inside Admission      Steam Diagram    ";
inline constexpr char PortDiagram[] = "QUARN Inside Admission      Port Open/Closed    ";
inline constexpr char DataTable[] = "QUARN Inside Admission  DataTable  ";
}  // namespace caption

inline constexpr char ProgramVersion[] = "Version 2.6";

// Prefix, set name, date, time and version, spaced as the program always showed them.
std::string frameCaption(const std::string& prefix, const std::string& dimSetName,
                         const std::string& date, const std::string& time);

}  // namespace quarn
