#include "gui/common/completion_field.h"
#include "support/gui_fixture.h"
#include "gui/common/hyperlink.h"

#include "app/web_pages.h"
#include "support/fake_browser.h"
#include "support/scripted_prompter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSizeGrip>
#include <QTest>
#include <QVBoxLayout>

#include <memory>

namespace lorvan {
namespace {

// A window holding one completion field, on the offscreen platform.
class CompletionFieldTest : public ::testing::Test {
  protected:
    void SetUp() override {
        window = std::make_unique<QWidget>();
        auto* layout = new QVBoxLayout(window.get());
        field = new QLineEdit(window.get());
        layout->addWidget(field);
        layout->addStretch();
        window->setGeometry(100, 100, 320, 240);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        ASSERT_TRUE(completion.attach(field));
        field->setFocus();
    }

    static QStringList twelveWords() {
        QStringList words;
        for (char c = 'l'; c >= 'a'; --c)
            words << QStringLiteral("Wort %1").arg(QChar(c));
        return words;
    }

    QListWidget* list() const { return completion.listWindow()->list(); }
    QStringList shownEntries() const { return completion.listWindow()->entries(); }

    std::unique_ptr<QWidget> window;
    QLineEdit* field = nullptr;
    CACEdit completion;
};

TEST_F(CompletionFieldTest, TypingShowsTheMatchesBelowTheFieldWithUpToEightRows) {
    completion.setWordList(QStringList{"Bäckerei Kunz", "Zentralbaeckerei", "Baecker GmbH"} + twelveWords());
    QSignalSpy edited(&completion, &CACEdit::textEdited);

    QTest::keyClicks(field, "baeck");
    ASSERT_TRUE(completion.isListShown());
    EXPECT_EQ(shownEntries(), (QStringList{"Baecker GmbH", "Zentralbaeckerei"}));
    EXPECT_EQ(edited.count(), 5);
    CACListWnd* shown = completion.listWindow();
    EXPECT_EQ(shown->geometry().topLeft(), field->mapToGlobal(QPoint(0, field->height())));
    EXPECT_EQ(shown->width(), field->width());
    EXPECT_EQ(shown->rowHeight(), QFontMetrics(window->font()).size(Qt::TextSingleLine, "Hg").height());
    EXPECT_EQ(shown->height(), 2 * shown->rowHeight() + 2 * list()->frameWidth());
    EXPECT_EQ(list()->currentRow(), -1);
    EXPECT_TRUE(field->hasFocus()); // the list never takes the keyboard

    field->selectAll();
    QTest::keyClicks(field, "wort");
    ASSERT_EQ(shownEntries().size(), 12);
    EXPECT_EQ(shownEntries().front(), "Wort a");
    EXPECT_EQ(shown->height(), 8 * shown->rowHeight() + 2 * list()->frameWidth());
    EXPECT_TRUE(QTest::qWaitFor([&] { return list()->verticalScrollBar()->maximum() > 0; }, 1000));

    QTest::keyClicks(field, "x");
    EXPECT_FALSE(completion.isListShown());
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_TRUE(completion.isListShown());
    field->clear();
    QTest::keyClick(field, Qt::Key_A);
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_FALSE(completion.isListShown()); // empty text
}

TEST_F(CompletionFieldTest, KeysMoveTheSelectionAndPutTheEntryIntoTheField) {
    completion.setWordList(twelveWords());
    QSignalSpy taken(&completion, &CACEdit::entryTaken);

    QTest::keyClick(field, Qt::Key_Down); // empty field: the whole list
    ASSERT_TRUE(completion.isListShown());
    EXPECT_EQ(shownEntries().front(), "Wort a");
    EXPECT_EQ(shownEntries().back(), "Wort l");
    EXPECT_EQ(field->text(), "");

    QTest::keyClick(field, Qt::Key_Down);
    EXPECT_EQ(field->text(), "Wort a");
    QTest::keyClick(field, Qt::Key_End);
    EXPECT_EQ(field->text(), "Wort l");
    EXPECT_EQ(list()->currentRow(), 11);
    EXPECT_EQ(field->cursorPosition(), field->text().size());
    EXPECT_TRUE(field->isModified());
    EXPECT_EQ(taken.count(), 2);
    EXPECT_EQ(taken.back().front().toString(), "Wort l");
    EXPECT_EQ(shownEntries().size(), 12); // a text put by the list does not filter it

    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(completion.isListShown());
    EXPECT_EQ(field->text(), "Wort l");
    QTest::keyClick(field, Qt::Key_Home); // closed list, text in the field: the caret moves
    EXPECT_FALSE(completion.isListShown());
    EXPECT_EQ(field->cursorPosition(), 0);
}

TEST_F(CompletionFieldTest, ClickTakesTheEntryAndClosesTheListHalfASecondLater) {
    completion.setWordList(QStringList{"Maler Kunz", "Malerei Berg"});
    QSignalSpy taken(&completion, &CACEdit::entryTaken);
    QTest::keyClicks(field, "mal");
    ASSERT_TRUE(completion.isListShown());

    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {},
                      list()->visualItemRect(list()->item(1)).center());
    EXPECT_EQ(field->text(), "Malerei Berg");
    ASSERT_EQ(taken.count(), 1);
    EXPECT_EQ(list()->currentRow(), 1);
    EXPECT_TRUE(completion.isListShown());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !completion.isListShown(); }, 1000));

    QTest::keyClick(field, Qt::Key_Backspace);
    ASSERT_TRUE(completion.isListShown());
    QTest::mouseClick(list()->viewport(), Qt::RightButton, {},
                      list()->visualItemRect(list()->item(0)).center());
    EXPECT_FALSE(completion.isListShown());
    EXPECT_EQ(field->text(), "Malerei Ber");
}

TEST_F(CompletionFieldTest, ListHidesWhenItsWindowMovesOrChangesSize) {
    completion.setWordList(QStringList{"Maler Kunz"});
    struct Change {
        const char* name;
        QRect (*place)(QRect);
        bool hides;
    };
    const Change changes[] = {
        {"unchanged", [](QRect r) { return r; }, false},
        {"moved", [](QRect r) { return r.translated(40, 0); }, true},
        {"resized", [](QRect r) { return r.adjusted(0, 0, 0, 30); }, true},
    };
    for (const Change& c : changes) {
        field->clear();
        QTest::keyClicks(field, "mal");
        ASSERT_TRUE(completion.isListShown()) << c.name;
        window->setGeometry(c.place(window->geometry()));
        QTest::qWait(300);
        EXPECT_EQ(completion.isListShown(), !c.hides) << c.name;
    }
}

TEST_F(CompletionFieldTest, ListKeepsTheSizeTheUserDraggedItTo) {
    completion.setWordList(QStringList{"Maler Kunz", "Malerei Berg"});
    QTest::keyClicks(field, "mal");
    CACListWnd* shown = completion.listWindow();
    auto* grip = shown->findChild<QSizeGrip*>();
    ASSERT_NE(grip, nullptr);
    QTest::mousePress(grip, Qt::LeftButton);
    shown->resize(400, 150);
    QTest::mouseRelease(grip, Qt::LeftButton);

    QTest::keyClick(field, Qt::Key_Escape);
    QTest::keyClicks(field, "e");
    ASSERT_TRUE(completion.isListShown());
    EXPECT_EQ(shown->size(), QSize(400, 150));
}

TEST_F(CompletionFieldTest, AttachesToAnEditableChoiceOnly) {
    QComboBox fixed(window.get());
    CACEdit other;
    EXPECT_FALSE(other.attach(static_cast<QLineEdit*>(nullptr)));
    EXPECT_FALSE(other.attach(&fixed));
    EXPECT_EQ(other.field(), nullptr);

    auto* choice = new QComboBox(window.get());
    window->layout()->addWidget(choice);
    choice->setEditable(true);
    ASSERT_TRUE(other.attach(choice));
    other.setWordList(QStringList{"A-B/C Bau", "ABD"});
    other.setIgnoredCharacters("-/,;");
    choice->setFocus();
    QTest::keyClicks(choice->lineEdit(), "abc");
    ASSERT_TRUE(other.isListShown());
    EXPECT_EQ(other.listWindow()->entries(), QStringList{"A-B/C Bau"});
    QTest::keyClick(choice->lineEdit(), Qt::Key_Down);
    EXPECT_EQ(choice->currentText(), "A-B/C Bau");
}

TEST_F(CompletionFieldTest, LinkClickOpensTheAddressOrSaysWhyNot) {
    const std::string address = "https://www.lorvan.example/lorvan.htm";
    for (const bool works : {true, false}) {
        test::FakeBrowser browser(works);
        test::ScriptedPrompter prompter;
        CHyperlink link(browser, prompter, window.get());
        link.setAddress(QString::fromStdString(address));
        link.show();
        EXPECT_EQ(link.text().toStdString(), address);
        EXPECT_TRUE(link.font().underline());
        EXPECT_EQ(link.palette().color(QPalette::WindowText), QColor(Qt::blue));
        EXPECT_EQ(link.cursor().shape(), Qt::PointingHandCursor);

        QTest::mouseClick(&link, Qt::LeftButton);
        EXPECT_EQ(browser.opened, std::vector<std::string>{address});
        if (works) {
            EXPECT_TRUE(prompter.log().empty());
        } else {
            ASSERT_EQ(prompter.log().size(), 1u);
            EXPECT_EQ(prompter.log()[0].kind, "error");
            EXPECT_EQ(prompter.log()[0].text,
                      "Der Internetbrowser konnte nicht geöffnet werden, um folgende Seite anzuzeigen:\n" +
                          address);
        }
    }
}

} // namespace
} // namespace lorvan
