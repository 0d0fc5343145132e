#pragma once

#include "gui/common/german_locale.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// What the window tests of this program share: one application object on the offscreen platform
// for the whole run, German as in the program whatever the machine's locale, and a demo data
// directory made once by the command line.
namespace lorvan::test {

class GuiEnvironment final : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "gui_tests";
        static char* argv[] = {name, nullptr};
        application_ = makeGermanApplication<QApplication>(argc, argv);
    }
    void TearDown() override {
        demo_.reset();
        application_.reset();
    }

    // "<dir>/data/" with the demo of 15 June 2026; made at the first call.
    static std::string demoDataDirectory() {
        if (!demo_) {
            demo_ = std::make_unique<TempDir>();
            const std::string command = std::string(LORVAN_CLI) + " --today 15.06.2026 demo " +
                                        demo_->path().string() + "/data > /dev/null";
            if (std::system(command.c_str()) != 0) ADD_FAILURE() << "the demo data could not be made";
        }
        return demo_->path().string() + "/data/";
    }

  private:
    static inline std::unique_ptr<TempDir> demo_;
    std::unique_ptr<QApplication> application_;
};

inline ::testing::Environment* const kGuiEnvironment =
    ::testing::AddGlobalTestEnvironment(new GuiEnvironment);

// Handles the modal dialogs as they come up, one handler after the other. Waits as long as a dialog
// takes to appear; the handlers run inside the dialog's own event loop.
inline void answerModals(std::vector<std::function<void(QWidget*)>> handlers) {
    auto* timer = new QTimer;
    auto remaining = std::make_shared<std::vector<std::function<void(QWidget*)>>>(std::move(handlers));
    QObject::connect(timer, &QTimer::timeout, timer, [timer, remaining] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) return;
        auto handler = remaining->front();
        remaining->erase(remaining->begin());
        if (remaining->empty()) timer->deleteLater();
        handler(modal);
    });
    timer->start(20);
}

// Runs the handler once a window of type W is the modal window and visible (a run may take a while
// before it shows one, and its pending events must not be taken for the window).
template <typename W>
void whenModalShows(std::function<void(W*)> handler) {
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, timer, [timer, handler] {
        auto* window = qobject_cast<W*>(QApplication::activeModalWidget());
        if (window == nullptr || !window->isVisible()) return;
        timer->stop();
        timer->deleteLater();
        handler(window);
    });
    timer->start(20);
}

// The push button of the window whose text (with its access key) is the text; a failure without one.
inline QPushButton* buttonWithText(const QWidget* window, const char* text) {
    for (QPushButton* candidate : window->findChildren<QPushButton*>())
        if (candidate->text() == QString::fromUtf8(text)) return candidate;
    ADD_FAILURE() << "no button " << text;
    return nullptr;
}

inline std::string demoDataDirectory() {
    return GuiEnvironment::demoDataDirectory();
}

} // namespace lorvan::test
