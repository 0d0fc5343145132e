#pragma once

#include "app/help_topics.h"

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace lorvan {

// The window "Protokoll" of the imports: the protocol as a read-only, scrollable text and the
// button "Schließen". The window can be enlarged; the text grows with it and the button keeps to
// the lower right corner. It never gets smaller than it first opens.
class ProtocolWindow final : public QDialog {
    Q_OBJECT
  public:
    explicit ProtocolWindow(const std::string& text, int helpTopic = kHelpImportProtocol, QWidget* parent = nullptr);

    QPlainTextEdit* textArea() const { return text_; }
    QPushButton* closeButton() const { return close_; }

  private:
    QPlainTextEdit* text_;
    QPushButton* close_;
};

// Shows the protocol in the window "Protokoll" until it is closed.
void showProtocol(QWidget* parent, const std::string& text, int helpTopic = kHelpImportProtocol);

} // namespace lorvan
