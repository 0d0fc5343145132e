#include "gui/common/completion_field.h"

#include "gui/common/qt_platform.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QSizeGrip>

#include <algorithm>
#include <optional>

namespace lorvan {

namespace {

constexpr int kMoveCheckMilliseconds = 200;
constexpr int kCloseAfterClickMilliseconds = 500;

std::optional<CompletionKey> completionKey(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (modifiers != Qt::NoModifier) return std::nullopt;
    switch (event.key()) {
    case Qt::Key_Up:
        return CompletionKey::Up;
    case Qt::Key_Down:
        return CompletionKey::Down;
    case Qt::Key_PageUp:
        return CompletionKey::PageUp;
    case Qt::Key_PageDown:
        return CompletionKey::PageDown;
    case Qt::Key_Home:
        return CompletionKey::Home;
    case Qt::Key_End:
        return CompletionKey::End;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return CompletionKey::Enter;
    case Qt::Key_Escape:
        return CompletionKey::Escape;
    default:
        return std::nullopt;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------

CACListWnd::CACListWnd(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus),
      list_(new QListWidget(this)), grip_(new QSizeGrip(this)) {
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFocusPolicy(Qt::NoFocus);

    list_->setFocusPolicy(Qt::NoFocus);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    list_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    list_->setUniformItemSizes(true);
    list_->setSpacing(0);
    list_->viewport()->installEventFilter(this);
    // The list never has the focus: its selection is drawn as in an active window all the same.
    QPalette colours = list_->palette();
    for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText})
        colours.setColor(QPalette::Inactive, role, colours.color(QPalette::Active, role));
    list_->setPalette(colours);

    grip_->installEventFilter(this);
    grip_->raise();

    moveCheck_.setInterval(kMoveCheckMilliseconds);
    connect(&moveCheck_, &QTimer::timeout, this, &CACListWnd::checkWindowPlace);
}

int CACListWnd::rowHeight() const {
    return QFontMetrics(font()).size(Qt::TextSingleLine, QStringLiteral("Hg")).height();
}

void CACListWnd::showEntries(QWidget* field, const QStringList& entries, int selection) {
    if (field == nullptr) return;
    field_ = field;
    setFont(field->window()->font());
    const int height = rowHeight();
    if (entries != this->entries() || list_->count() == 0 || list_->item(0)->sizeHint().height() != height) {
        list_->clear();
        for (const QString& entry : entries) {
            auto* item = new QListWidgetItem(entry, list_);
            item->setSizeHint(QSize(0, height));
        }
    }
    const int rows = std::min(static_cast<int>(entries.size()), CompletionList::kMaxVisibleRows);
    QSize size(field->width(), rows * height + 2 * list_->frameWidth());
    if (userSize_.isValid()) size = userSize_;
    setGeometry(QRect(field->mapToGlobal(QPoint(0, field->height())), size));
    setSelection(selection);
    if (!isVisible()) {
        show();
        windowPlace_ = field->window()->frameGeometry();
        moveCheck_.start();
    }
}

void CACListWnd::setSelection(int row) {
    if (row < 0 || row >= list_->count()) {
        list_->clearSelection();
        list_->setCurrentRow(-1);
        return;
    }
    list_->setCurrentRow(row);
    list_->scrollToItem(list_->item(row));
}

int CACListWnd::selection() const {
    return list_->currentRow();
}

QStringList CACListWnd::entries() const {
    QStringList out;
    for (int i = 0; i < list_->count(); ++i)
        out << list_->item(i)->text();
    return out;
}

void CACListWnd::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        emit closeRequested();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CACListWnd::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (dragging_) userSize_ = size();
    // The list fills the window whatever its size; a layout would hold it at its minimum height.
    list_->setGeometry(rect());
    grip_->move(width() - grip_->width(), height() - grip_->height());
}

void CACListWnd::hideEvent(QHideEvent* event) {
    moveCheck_.stop();
    QWidget::hideEvent(event);
}

bool CACListWnd::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grip_) {
        if (event->type() == QEvent::MouseButtonPress) dragging_ = true;
        if (event->type() == QEvent::MouseButtonRelease) {
            dragging_ = false;
            userSize_ = size();
        }
        return false;
    }
    if (watched == list_->viewport() &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick)) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::RightButton) {
            emit closeRequested();
        } else if (mouse->button() == Qt::LeftButton) {
            const QModelIndex index = list_->indexAt(mouse->position().toPoint());
            if (index.isValid()) emit entryClicked(index.row());
        }
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CACListWnd::checkWindowPlace() {
    if (!isVisible()) return;
    if (field_ && field_->window()->frameGeometry() == windowPlace_) return;
    hide();
    emit closeRequested();
}

// ---------------------------------------------------------------------------------------------

CACEdit::CACEdit(QObject* parent) : QObject(parent) {
    closeLater_.setSingleShot(true);
    closeLater_.setInterval(kCloseAfterClickMilliseconds);
    connect(&closeLater_, &QTimer::timeout, this, &CACEdit::closeList);
}

CACEdit::~CACEdit() {
    delete list_.data();
}

bool CACEdit::attach(QLineEdit* field) {
    if (field == nullptr) return false;
    if (field_) {
        field_->removeEventFilter(this);
        disconnect(field_, nullptr, this, nullptr);
    }
    closeList();
    field_ = field;
    field->installEventFilter(this);
    connect(field, &QLineEdit::textEdited, this, &CACEdit::userEdited);
    return true;
}

bool CACEdit::attach(QComboBox* choice) {
    if (choice == nullptr || !choice->isEditable() || choice->lineEdit() == nullptr) return false;
    // The choice's own completion would change the text behind the list's back.
    choice->setCompleter(nullptr);
    return attach(choice->lineEdit());
}

void CACEdit::setWordList(const QStringList& words) {
    std::vector<std::string> list;
    list.reserve(static_cast<size_t>(words.size()));
    for (const QString& word : words)
        list.push_back(fromQt(word));
    completion_.setWordList(std::move(list));
}

void CACEdit::setWordList(const std::vector<std::string>& words) {
    completion_.setWordList(words);
}

void CACEdit::setIgnoredCharacters(const QString& characters) {
    completion_.setIgnoredCharacters(fromQt(characters));
}

bool CACEdit::isListShown() const {
    return list_ && list_->isVisible();
}

bool CACEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != field_) return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Enter and Escape belong to an open list, not to a shortcut of the window.
        if (completion_.isOpen() && completionKey(*static_cast<QKeyEvent*>(event))) {
            event->accept();
            return true;
        }
        break;
    case QEvent::KeyPress: {
        const std::optional<CompletionKey> key = completionKey(*static_cast<QKeyEvent*>(event));
        if (!key) break;
        const CompletionKeyResult result = completion_.key(*key, fromQt(field_->text()));
        if (!result.handled) break;
        closeLater_.stop();
        if (result.fieldText) putIntoField(*result.fieldText);
        updateList();
        return true;
    }
    case QEvent::Hide:
        closeList();
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

void CACEdit::userEdited(const QString& text) {
    closeLater_.stop();
    completion_.textChanged(fromQt(text), true);
    updateList();
    emit textEdited(text);
}

void CACEdit::putIntoField(const std::string& entry) {
    const QString text = toQt(entry);
    field_->setText(text);
    field_->end(false);
    field_->setModified(true);
    emit textEdited(text);
    emit entryTaken(text);
}

void CACEdit::clicked(int row) {
    const std::optional<std::string> entry = completion_.take(row);
    if (!entry || !field_) return;
    putIntoField(*entry);
    if (list_) list_->setSelection(row);
    closeLater_.start();
}

void CACEdit::closeList() {
    closeLater_.stop();
    completion_.close();
    if (list_) list_->hide();
}

void CACEdit::updateList() {
    if (!completion_.isOpen() || !field_) {
        if (list_) list_->hide();
        return;
    }
    if (!list_) {
        list_ = new CACListWnd(field_->window());
        connect(list_, &CACListWnd::entryClicked, this, &CACEdit::clicked);
        connect(list_, &CACListWnd::closeRequested, this, &CACEdit::closeList);
    }
    QStringList entries;
    for (const std::string& entry : completion_.entries())
        entries << toQt(entry);
    list_->showEntries(field_, entries, completion_.selection());
}

} // namespace lorvan
