#include "app/command_table.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace lorvan {
namespace {

TEST(CommandTable, ACommandIsEnabledWhenItHasAHandlerThatAllowsIt) {
    CommandTable table;
    int saved = 0;
    bool modified = false;
    table.add(MenuCommand::Save, [&] { ++saved; }, [&] { return modified; });
    table.add(MenuCommand::About, [&] { saved += 10; });

    EXPECT_FALSE(table.has(MenuCommand::Print));
    EXPECT_FALSE(table.isEnabled(MenuCommand::Print));
    EXPECT_FALSE(table.run(MenuCommand::Print));

    EXPECT_TRUE(table.has(MenuCommand::Save));
    EXPECT_FALSE(table.isEnabled(MenuCommand::Save));
    EXPECT_FALSE(table.run(MenuCommand::Save)) << "a disabled command does not run";
    EXPECT_EQ(saved, 0);
    modified = true;
    EXPECT_TRUE(table.run(MenuCommand::Save));
    EXPECT_EQ(saved, 1);

    EXPECT_TRUE(table.isEnabled(MenuCommand::About)) << "without a condition a command is always enabled";
    EXPECT_TRUE(table.run(MenuCommand::About));
    EXPECT_EQ(saved, 11);
}

TEST(CommandTable, ACommandHasOneHandler) {
    CommandTable table;
    table.add(MenuCommand::Open, [] {});
    EXPECT_THROW(table.add(MenuCommand::Open, [] {}), std::logic_error);
    EXPECT_THROW(table.add(MenuCommand::Close, CommandHandler{}), std::logic_error);
    EXPECT_FALSE(table.has(MenuCommand::Close));
}

} // namespace
} // namespace lorvan
