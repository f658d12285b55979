// The design files' dialogs: the filters as the user reads them, and what each dialog
// lets the user pick.
#include <gtest/gtest.h>

#include <QFileDialog>
#include <memory>

#include "platform/file_dialogs.h"
#include "support/qt_app.h"

namespace quarn {
namespace {

TEST(DialogFilter, BarSeparatedPairsBecomeQtFiltersWithTheirPatternOnce) {
    struct Row {
        const char* in;
        const char* out;
    } rows[] = {
        // "*.*" would hide every name without a dot.
        {"Data File (*.qgd)|*.qgd|All Files (*.*)|*.*", "Data File (*.qgd);;All Files (*)"},
        {"All|*.*", "All (*)"},
        // The blank before the bar belongs to no pattern.
        {"Data File (*.qgd) |*.qgd", "Data File (*.qgd)"},
        {"Text|*.txt", "Text (*.txt)"},
        // A text without its pattern dangling at the end is dropped, not half-used.
        {"Text|*.txt|Orphan", "Text (*.txt)"},
        {"", ""},
    };
    for (const Row& r : rows) EXPECT_EQ(dialogFilter(r.in).toStdString(), r.out) << r.in;
}

TEST(DesignDialogs, SaveAsksForANameOpenForAnExistingFileDosForAnyName) {
    test::ensureApplication();
    std::unique_ptr<QFileDialog> save(makeSaveDimensionsDialog(nullptr));
    EXPECT_EQ(save->windowTitle(), "Save As.....");
    EXPECT_EQ(save->acceptMode(), QFileDialog::AcceptSave);
    EXPECT_EQ(save->defaultSuffix(), "qgd");
    EXPECT_FALSE(save->testOption(QFileDialog::DontConfirmOverwrite));
    EXPECT_EQ(save->nameFilters().first(), "Data File (*.qgd)");

    std::unique_ptr<QFileDialog> open(makeOpenDimensionsDialog(nullptr));
    EXPECT_EQ(open->acceptMode(), QFileDialog::AcceptOpen);
    EXPECT_EQ(open->fileMode(), QFileDialog::ExistingFile);
    EXPECT_EQ(open->defaultSuffix(), "qgd");

    std::unique_ptr<QFileDialog> dos(makeOpenDosDialog(nullptr));
    EXPECT_EQ(dos->fileMode(), QFileDialog::AnyFile);
    EXPECT_EQ(dos->defaultSuffix(), "qgk");
    EXPECT_EQ(dos->nameFilters().first(), "Data Files (*.qgk)");
    for (QFileDialog* d : {save.get(), open.get(), dos.get()})
        EXPECT_EQ(d->nameFilters().last(), "All Files (*)");
}

}  // namespace
}  // namespace quarn
