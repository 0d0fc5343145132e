#pragma once

#include "evaluation/evaluation_context.h"
#include "foundation/datum.h"
#include "masterdata/employee_lookup.h"
#include "yearfile/year_file.h"

#include <QIcon>
#include <QWidget>

#include <memory>
#include <string>

class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

namespace lorvan {

// A year file open in the program, shared by its year view and its month views, with what its
// evaluation needs: the employees of the data directory and the previous years beside it.
struct OpenYearFile {
    std::string path;
    CLorvanDoc document;
    std::unique_ptr<EmployeeFileLookup> employees;
    FilePreviousYearSource previousYears;

    // Reads the file; raises LorvanError with the reader's message.
    OpenYearFile(const std::string& path, const std::string& dataDirectory);
    EvaluationContext context() const { return EvaluationContext{employees.get(), &previousYears}; }
};

// The small icon of a status category 0-8 in the month view's list.
QIcon statusIcon(int32_t category);

// What the year and month views share: caption, name and year (or month) fields, the list, the
// proposal field with "A&nlegen", "&Speichern + Schliessen" and "Abbrechen".
class FileListView : public QWidget {
    Q_OBJECT
  public:
    std::shared_ptr<OpenYearFile> file() const { return file_; }
    QTreeWidget* list() const { return list_; }
    QLineEdit* proposalField() const { return proposalField_; }
    QPushButton* createButton() const { return createButton_; }
    // The number kept with the selected row; 0 without selection.
    int32_t selectedNumber() const;
    virtual void refresh() = 0;
    // The size the view is laid out for. A larger window grows the list by the extra width and
    // height and moves what stands right of or below it by the same amounts; a smaller one moves
    // nothing (the view scrolls).
    QSize designedSize() const { return designedSize_; }
    // The list's context menu "Liste" (the caller owns it); nullptr where none is offered.
    virtual QMenu* createListMenu();

  signals:
    // Double-click or Enter on a row.
    void entryActivated(int32_t number);
    // The view closes its window with its own button (the window size is kept then).
    void closingByOwnButton();

  protected:
    FileListView(std::shared_ptr<OpenYearFile> file, const QString& secondFieldText,
                 const QString& proposalLabel, QWidget* parent);
    void setDesignedSize(QSize size);
    // Whether "Aktuell ausgewählten &Eintrag öffnen..." works on this view's rows.
    virtual bool opensEntries() const { return true; }
    std::shared_ptr<OpenYearFile> file_;
    QLineEdit* nameField_;
    QLineEdit* secondField_;
    QTreeWidget* list_;
    QLineEdit* proposalField_;
    QPushButton* createButton_;
    QPushButton* saveAndCloseButton_;
    QWidget* content_;
    QSize designedSize_;
};

// The year view of a year file: "Angelegte Monate".
class CLorvanView final : public FileListView {
    Q_OBJECT
  public:
    CLorvanView(std::shared_ptr<OpenYearFile> file, const Datum& today, QWidget* parent = nullptr);
    void refresh() override;

  private:
    Datum today_;
};

// The month view of one month: "Angelegte Tage" with "Info".
class CMonatView final : public FileListView {
    Q_OBJECT
  public:
    CMonatView(std::shared_ptr<OpenYearFile> file, int32_t month, const Datum& today, bool closed,
               QWidget* parent = nullptr);
    int32_t month() const { return month_; }
    bool isClosed() const { return closed_; }
    void refresh() override;
    QMenu* createListMenu() override;

  protected:
    // Days open in the day entry, which comes with the data entry.
    bool opensEntries() const override { return false; }

  private:
    int32_t month_;
    Datum today_;
    bool closed_;
};

} // namespace lorvan
