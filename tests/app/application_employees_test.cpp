#include "app_fixture.h"

#include "masterdata/employee_file.h"
#include "masterdata/employee_flows.h"
#include "platform/clock.h"
#include "support/year_file_builder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lorvan {
namespace {

// Confirms the dialog once with a new name.
class RenamingDialog final : public EmployeeDialogHost {
  public:
    explicit RenamingDialog(std::string name) : name_(std::move(name)) {}
    bool show(EmployeeDialog& dialog) override {
        if (shown_) return false;
        shown_ = true;
        dialog.name = name_;
        return true;
    }

  private:
    std::string name_;
    bool shown_ = false;
};

void writeEmployee(const std::string& directory, const std::string& name) {
    CTwMaDoc file;
    CMitarbeiterDoc e;
    e.number = 1;
    e.name = name;
    file.put(e);
    file.save(CTwMaDoc::pathIn(directory));
}

TEST(ApplicationEmployees, CachedListFollowsTheDataDirectory) {
    test::AppFixture f;
    test::TempDir other;
    writeEmployee(f.dataDirectory(), "Anna");
    writeEmployee(other.path().string(), "Bert");
    f.app.setDataDirectory(f.dataDirectory());
    EXPECT_EQ(f.app.employees().findByName("Anna", false), "Anna");
    f.app.employees().hold();
    f.app.setDataDirectory(other.path().string());
    EXPECT_FALSE(f.app.employees().held());
    EXPECT_EQ(f.app.employees().findByName("Bert", false), "Bert");
}

TEST(ApplicationEmployees, RenameReachesTheRecentFilesAndTheCachedList) {
    test::AppFixture f;
    f.app.setDataDirectory(f.dataDirectory());
    writeEmployee(f.dataDirectory(), "Anna");
    const std::string oldPath =
        test::YearFileBuilder("Anna", 2026).saveAs(f.dataDirectory() + "Anna2026.azr");
    f.app.recentFiles().addPath(oldPath);
    f.app.recentFiles().addPath(f.dataDirectory() + "Bert2026.azr");
    f.app.employees().hold();
    ASSERT_EQ(f.app.employees().count(), 1u);

    FixedClock clock(Datum{15, 3, 2026});
    EmployeeFlowContext context;
    context.prompter = &f.prompter;
    context.clock = &clock;
    context.dataDirectory = f.app.dataDirectory();
    context.recent = &f.app.recentFiles();
    context.cachedList = &f.app.employees();
    EmployeeManagement management(context);
    ASSERT_TRUE(management.open());
    f.prompter.answerYes();
    RenamingDialog dialog("Anna Berg");
    ASSERT_EQ(management.edit(1, dialog), FlowResult::Done);

    const std::string newPath = f.dataDirectory() + "Anna_Berg2026.azr";
    EXPECT_EQ(f.app.recentFiles().entries(),
              (std::vector<std::string>{f.dataDirectory() + "Bert2026.azr", newPath}));
    EXPECT_EQ(RecentFileList(f.store).entries(), f.app.recentFiles().entries()); // stored at once
    EXPECT_EQ(f.app.employees().findByName("Anna_Berg", true), "Anna Berg");     // read again after the save
}

} // namespace
} // namespace lorvan
