// The commands of the command-line companion. Each takes the arguments after its
// name, writes its result to `out`, a note on what it took differently from what was
// asked to `err`, and throws UsageError or WorkError.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "platform/picture_export.h"

namespace quarn::cli {

using Args = std::vector<std::string>;
class CommandLine;

void solveCommand(const Args& args, std::ostream& out, std::ostream& err);
void centreCommand(const Args& args, std::ostream& out, std::ostream& err);
void reportCommand(const Args& args, std::ostream& out, std::ostream& err);
void renderCommand(const Args& args, std::ostream& out, std::ostream& err);
void saveCommand(const Args& args, std::ostream& out, std::ostream& err);
void convertCommand(const Args& args, std::ostream& out, std::ostream& err);
void showCommand(const Args& args, std::ostream& out, std::ostream& err);
void tableCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char tableUsage[];
void diagramCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char diagramUsage[];

// --out FILE: a name whose ending sets the format, else UsageError; the picture written
// through the one picture writer, else WorkError with its message.
void checkPictureName(const std::string& path);
void writePicture(const std::string& path, int width, int height, const DrawPicture& draw,
                  const PictureOptions& options = {});

// --scale N and --title, the choices of a written picture that every picture takes.
struct PictureTexts {
    std::optional<std::string> scale;
    bool title = false;
};
void declarePictureOptions(CommandLine& line, PictureTexts& t);
// The options asked for, the title block naming the design; a usage error for a scale
// out of range or a choice given without --out.
PictureOptions readPictureOptions(const PictureTexts& t, const std::optional<std::string>& out,
                                  const std::string& designName);
// The lines of the help for them.
extern const char pictureOptionsUsage[];
void eventsCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char eventsUsage[];
void sensitivityCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char sensitivityUsage[];
void equaliseCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char equaliseUsage[];
void cutoffCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char cutoffUsage[];
void toleranceCommand(const Args& args, std::ostream& out, std::ostream& err);
extern const char toleranceUsage[];

// The help of render, made from its table of pictures and formats.
std::string renderUsage();

}  // namespace quarn::cli
