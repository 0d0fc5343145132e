#include "gui/common/protocol_window.h"

#include "gui/common/qt_platform.h"
#include "gui/common/help_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace lorvan {

ProtocolWindow::ProtocolWindow(const std::string& text, int helpTopic, QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Protokoll"));
    setSizeGripEnabled(true);
    text_ = new QPlainTextEdit;
    text_->setReadOnly(true);
    // The protocol's lines keep their form (paths, the line being read): long ones scroll sideways.
    text_->setLineWrapMode(QPlainTextEdit::NoWrap);
    text_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text_->setPlainText(toQt(text));
    text_->setObjectName(QStringLiteral("protocolText"));
    close_ = new QPushButton(QStringLiteral("Schließen"));
    close_->setDefault(true);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text_, 1);
    layout->addLayout(buttons);
    addHelpShortcut(this, helpTopic);

    resize(640, 420);
    setMinimumSize(size());
}

void showProtocol(QWidget* parent, const std::string& text, int helpTopic) {
    ProtocolWindow window(text, helpTopic, parent);
    window.exec();
}

} // namespace lorvan
