#include "gui/common/hyperlink.h"

#include "app/web_pages.h"
#include "gui/common/qt_platform.h"

#include <QMouseEvent>
#include <QPalette>

namespace lorvan {

CHyperlink::CHyperlink(WebBrowser& browser, Prompter& prompter, QWidget* parent)
    : QLabel(parent), browser_(browser), prompter_(prompter) {
    // Addresses are shown as they are, never read as markup.
    setTextFormat(Qt::PlainText);
    setAutoFillBackground(false);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, Qt::blue);
    setPalette(colours);
    setCursor(Qt::PointingHandCursor);
}

void CHyperlink::setAddress(const QString& address) {
    address_ = address;
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    if (text().isEmpty()) setText(address);
}

void CHyperlink::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !rect().contains(event->position().toPoint()) ||
        address_.isEmpty()) {
        QLabel::mouseReleaseEvent(event);
        return;
    }
    event->accept();
    emit opened(openWebPage(browser_, prompter_, fromQt(address_)));
}

} // namespace lorvan
