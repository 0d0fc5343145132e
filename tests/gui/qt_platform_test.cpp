#include "gui/common/qt_platform.h"
#include "support/gui_fixture.h"

#include "foundation/format.h"
#include "foundation/io_select.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDate>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLocale>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTreeView>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace lorvan {
namespace {

// Runs the event loop until the condition holds (at most ten seconds, so a slow machine only waits).
template <typename Condition> bool waitFor(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!condition() && std::chrono::steady_clock::now() < deadline)
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

TEST(GermanLocale, ToolkitDialogsSpeakGermanAndTheCLibraryKeepsDecimalPoints) {
    // Whatever the machine's locale: the toolkit's own texts are German.
    const QLocale system = QLocale::system();
    EXPECT_EQ(system.language(), QLocale::German);
    EXPECT_EQ(system.monthName(12), QStringLiteral("Dezember"));
    EXPECT_EQ(system.toString(QDateTime(QDate(2025, 12, 10), QTime(14, 33)), QLocale::ShortFormat),
              QStringLiteral("10.12.25 14:33"));
    EXPECT_EQ(QLocale().language(), QLocale::German);
    // The core's numbers and the data files' texts keep the decimal point.
    EXPECT_EQ(format("%.2f", 1.5), "1.50");
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%.2f", 2.5);
    EXPECT_STREQ(buffer, "2.50");
    EXPECT_EQ(std::strtod("7.75", nullptr), 7.75);
}

class FileSelectionTest : public ::testing::Test {
  protected:
    // "Arbeitszeitdatei öffnen" on the demo data, shown, with the rows of the folder read.
    void SetUp() override {
        IoSelect selection(IoSelectMode::OpenFile, "", "Arbeitszeitdatei", test::demoDataDirectory());
        selection.addFilter("Arbeitszeitdatei", "azr");
        selection.setAllFilesEntry(false);
        dialog = createIoSelectDialog(nullptr, selection);
        view = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        ASSERT_NE(view, nullptr);
        model = qobject_cast<QFileSystemModel*>(view->model());
        ASSERT_NE(model, nullptr);
        dialog->show();
        file = model->index(QString::fromStdString(test::demoDataDirectory() + "Joerg_Weiss2026.azr"));
        ASSERT_TRUE(waitFor([this] {
            return view->isVisible() && !model->data(file.siblingAtColumn(3)).toString().isEmpty();
        }));
        // The columns are laid out once the rows are sorted in, which the model does in its own
        // thread: wait (bounded only against a hang) until they fit, the test checks how.
        // The type texts of the rows arrive after the rows: wait until every column holds its texts.
        waitFor([this] {
            const QHeaderView* header = view->header();
            int columns = 0;
            for (int column = 0; column < header->count(); ++column) {
                columns += header->sectionSize(column);
                if (column > 0 && header->sectionSize(column) <
                                      static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column))
                    return false;
            }
            return columns <= view->viewport()->width() && !view->horizontalScrollBar()->isVisible();
        });
    }

    std::unique_ptr<QFileDialog> dialog;
    QTreeView* view = nullptr;
    QFileSystemModel* model = nullptr;
    QModelIndex file;
};

TEST_F(FileSelectionTest, ColumnsShowTheirGermanTextsWhole) {
    const QHeaderView* header = view->header();
    EXPECT_EQ(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Änderungsdatum"));
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d\\d\\.\\d\\d\\.\\d\\d \\d\\d:\\d\\d$"))
                    .match(model->data(file.siblingAtColumn(3)).toString())
                    .hasMatch())
        << fromQt(model->data(file.siblingAtColumn(3)).toString());
    for (int column = 1; column < header->count(); ++column) {
        SCOPED_TRACE(column);
        EXPECT_FALSE(header->isSectionHidden(column));
        EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column)) << "the header is cut";
        EXPECT_GE(header->sectionSize(column),
                  static_cast<const QAbstractItemView*>(view)->sizeHintForColumn(column))
            << "a row's text is cut";
    }
    // Every column is in sight without scrolling sideways.
    int columns = 0;
    for (int column = 0; column < header->count(); ++column)
        columns += header->sectionSize(column);
    EXPECT_LE(columns, view->viewport()->width());
    EXPECT_FALSE(view->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(dialog->grab().save(QStringLiteral(LORVAN_SCREENSHOT_DIR "/gui_file_selection.png")));
}

TEST(QtProgramRunner, AMissingProgramIsToldInPlainWords) {
    QtProgramRunner runner;
    const std::string failure = runner.start({"lorvan-kein-solches-programm", "a.xlsx"});
    EXPECT_EQ(failure, "Das Programm lorvan-kein-solches-programm ist nicht installiert.");
    EXPECT_EQ(runner.start({"true"}), "");
}

} // namespace
} // namespace lorvan
