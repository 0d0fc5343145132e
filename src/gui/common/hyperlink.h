#pragma once

#include <QLabel>
#include <QString>

namespace lorvan {

class Prompter;
class WebBrowser;

// A link in a dialog: blue, underlined text on the dialog's background with a hand cursor. A click
// opens its web address in the desktop's browser and says so when that fails.
class CHyperlink : public QLabel {
    Q_OBJECT
  public:
    CHyperlink(WebBrowser& browser, Prompter& prompter, QWidget* parent = nullptr);

    // The address to open; a link without a text of its own shows the address.
    void setAddress(const QString& address);
    QString address() const { return address_; }

  signals:
    // After every click, with whether the browser showed the page.
    void opened(bool shown);

  protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    WebBrowser& browser_;
    Prompter& prompter_;
    QString address_;
};

} // namespace lorvan
