#pragma once

#include "app/completion.h"

#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <string>
#include <vector>

class QComboBox;
class QListWidget;
class QSizeGrip;

namespace lorvan {

// The list window of a completion field: a frameless window directly below the field that never
// takes the keyboard focus from it. At most eight rows of the height of "Hg" in the dialog font,
// a scroll bar when there are more, a size grip in its corner. The size the user gives it by
// dragging stays for the next time it appears.
class CACListWnd : public QWidget {
    Q_OBJECT
  public:
    explicit CACListWnd(QWidget* parent = nullptr);

    // Shows the entries below the field with the given row selected (-1: none).
    void showEntries(QWidget* field, const QStringList& entries, int selection);
    void setSelection(int row);
    int selection() const;
    QStringList entries() const;
    QListWidget* list() const { return list_; }
    int rowHeight() const;

  signals:
    void entryClicked(int row);
    void closeRequested();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void checkWindowPlace();

    QListWidget* list_;
    QSizeGrip* grip_;
    QPointer<QWidget> field_;
    QTimer moveCheck_;
    QRect windowPlace_;     // the field's window when the list appeared
    QSize userSize_;        // empty until the user drags the corner
    bool dragging_ = false; // the user drags the corner
};

// A completion field: attached to a line edit or to the text part of an editable combo box, it
// offers the entries of its word list that hold the typed text. Without a field it does nothing
// and the field stays a plain one.
class CACEdit : public QObject {
    Q_OBJECT
  public:
    explicit CACEdit(QObject* parent = nullptr);
    ~CACEdit() override;

    // False when there is no text field to attach to (null, or a combo box that is not editable).
    bool attach(QLineEdit* field);
    bool attach(QComboBox* choice);
    QLineEdit* field() const { return field_; }

    void setWordList(const QStringList& words);
    void setWordList(const std::vector<std::string>& words);
    void setIgnoredCharacters(const QString& characters);

    bool isListShown() const;
    CACListWnd* listWindow() const { return list_; }

  signals:
    // Every change of the field text by the user or by the list.
    void textEdited(const QString& text);
    // An entry the list put into the field.
    void entryTaken(const QString& text);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void userEdited(const QString& text);
    void putIntoField(const std::string& entry);
    void clicked(int row);
    void closeList();
    void updateList();

    QPointer<QLineEdit> field_;
    QPointer<CACListWnd> list_;
    CompletionList completion_;
    QTimer closeLater_;
};

} // namespace lorvan
