#include "yearsettings/ui/file_settings_window.h"

#include "app/help_topics.h"
#include "evaluation/public_holidays.h"
#include "foundation/calendar.h"
#include "foundation/io_select.h"
#include "gui/common/help_window.h"
#include "gui/common/qt_platform.h"
#include "platform/prompter.h"
#include "yearsettings/file_settings_environment.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace lorvan {

namespace {

const QLocale& german() {
    static const QLocale locale(QLocale::German, QLocale::Germany);
    return locale;
}

QString numberText(double value) {
    return german().toString(value, 'f', 2);
}

double numberOf(const QString& text) {
    bool ok = false;
    const double value = german().toDouble(text.trimmed(), &ok);
    return ok ? value : 0.0;
}

// "Abweichenden Stundenlohn erfassen" for one service.
bool editDeviatingWage(QWidget* parent, DeviatingWageEdit& edit, Prompter& prompter) {
    QDialog dialog(parent);
    dialog.setWindowTitle(QStringLiteral("Abweichenden Stundenlohn erfassen"));
    auto* service = new QLabel(toQt(edit.service));
    auto* deviating = new QCheckBox(QStringLiteral("Abweichender Stundenlohn"));
    auto* wage = new QLineEdit(edit.deviating ? numberText(edit.wage) : QString());
    deviating->setChecked(edit.deviating);
    wage->setEnabled(edit.deviating);
    QObject::connect(deviating, &QCheckBox::toggled, wage, &QWidget::setEnabled);
    auto* form = new QGridLayout;
    form->addWidget(new QLabel(QStringLiteral("Dienstleistung:")), 0, 0);
    form->addWidget(service, 0, 1);
    form->addWidget(deviating, 1, 0, 1, 2);
    form->addWidget(new QLabel(QStringLiteral("Stundenlohn")), 2, 0);
    form->addWidget(wage, 2, 1);
    auto* buttons = new QDialogButtonBox;
    buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&] {
        DeviatingWageEdit typed{edit.service, deviating->isChecked(), numberOf(wage->text())};
        if (!confirmDeviatingWage(typed, prompter)) {
            wage->setFocus();
            return;
        }
        edit = typed;
        dialog.accept();
    });
    return dialog.exec() == QDialog::Accepted;
}

// Builds the controls of one page: each control writes into the model as it changes and gets a
// loader that shows the model's value again.
class PageBuilder {
  public:
    PageBuilder(std::vector<std::function<void()>>& loaders, std::vector<std::pair<SettingsField, QWidget*>>& fields,
                std::function<void()> refresh)
        : loaders_(loaders), fields_(fields), refresh_(std::move(refresh)) {}

    QCheckBox* check(const char* label, std::function<bool()> get, std::function<void(bool)> set,
                     std::function<bool()> enabled = {}) {
        auto* box = new QCheckBox(QString::fromUtf8(label));
        QObject::connect(box, &QCheckBox::clicked, box, [set, refresh = refresh_](bool on) {
            set(on);
            refresh();
        });
        loaders_.push_back([box, get, enabled] {
            box->setChecked(get());
            if (enabled) box->setEnabled(enabled());
        });
        return box;
    }
    QLineEdit* number(std::function<double&()> value, std::function<bool()> enabled = {},
                      SettingsField field = SettingsField::None) {
        auto* edit = new QLineEdit;
        edit->setMinimumWidth(70);
        edit->setMaximumWidth(90);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [value](const QString& text) { value() = numberOf(text); });
        loaders_.push_back([edit, value, enabled] {
            if (!edit->hasFocus()) edit->setText(numberText(value()));
            if (enabled) edit->setEnabled(enabled());
        });
        remember(field, edit);
        return edit;
    }
    // A number whose change runs an action when the field is left.
    QLineEdit* numberAction(std::function<double()> get, std::function<void(double)> set,
                            SettingsField field = SettingsField::None) {
        auto* edit = new QLineEdit;
        edit->setMinimumWidth(70);
        edit->setMaximumWidth(90);
        QObject::connect(edit, &QLineEdit::editingFinished, edit, [edit, set, refresh = refresh_] {
            set(numberOf(edit->text()));
            refresh();
        });
        loaders_.push_back([edit, get] { edit->setText(numberText(get())); });
        remember(field, edit);
        return edit;
    }
    QSpinBox* integer(std::function<int32_t&()> value, int minimum, int maximum, std::function<bool()> enabled = {},
                      SettingsField field = SettingsField::None) {
        auto* spin = new QSpinBox;
        spin->setRange(minimum, maximum);
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [value](int v) { value() = v; });
        loaders_.push_back([spin, value, enabled] {
            const QSignalBlocker block(spin);
            spin->setValue(value());
            if (enabled) spin->setEnabled(enabled());
        });
        remember(field, spin);
        return spin;
    }
    QLineEdit* text(std::function<std::string&()> value, int maxLength = 255, std::function<bool()> enabled = {},
                    SettingsField field = SettingsField::None) {
        auto* edit = new QLineEdit;
        edit->setMaxLength(maxLength);
        if (maxLength <= 5) edit->setFixedWidth(60);
        else if (maxLength <= 20) edit->setMinimumWidth(90);
        QObject::connect(edit, &QLineEdit::textEdited, edit, [value](const QString& t) { value() = fromQt(t); });
        loaders_.push_back([edit, value, enabled] {
            if (edit->text() != toQt(value())) edit->setText(toQt(value()));
            if (enabled) edit->setEnabled(enabled());
        });
        remember(field, edit);
        return edit;
    }
    // A month choice; index 0 is "no month" when allowed.
    QComboBox* month(std::function<int32_t&()> value, bool withNone, std::function<bool()> enabled = {},
                     SettingsField field = SettingsField::None) {
        auto* combo = new QComboBox;
        if (withNone) combo->addItem(QString(), 0);
        for (int m = 1; m <= 12; ++m)
            combo->addItem(toQt(monthName(m)), m);
        QObject::connect(combo, &QComboBox::activated, combo,
                         [combo, value](int index) { value() = combo->itemData(index).toInt(); });
        loaders_.push_back([combo, value, enabled] {
            combo->setCurrentIndex(std::max(0, combo->findData(value())));
            if (enabled) combo->setEnabled(enabled());
        });
        remember(field, combo);
        return combo;
    }
    void remember(SettingsField field, QWidget* widget) {
        if (field != SettingsField::None) fields_.emplace_back(field, widget);
    }

  private:
    std::vector<std::function<void()>>& loaders_;
    std::vector<std::pair<SettingsField, QWidget*>>& fields_;
    std::function<void()> refresh_;
};

QHBoxLayout* row(std::initializer_list<QWidget*> widgets) {
    auto* layout = new QHBoxLayout;
    for (QWidget* widget : widgets)
        layout->addWidget(widget);
    layout->addStretch();
    return layout;
}

QLabel* label(const char* text) {
    return new QLabel(QString::fromUtf8(text));
}

} // namespace

FileSettingsWindow::FileSettingsWindow(FileSettingsDialog& model, Prompter& prompter, const std::string& dataDirectory,
                                       bool stepMode, QWidget* parent)
    : QDialog(parent), model_(model), prompter_(prompter), dataDirectory_(dataDirectory), stepMode_(stepMode) {
    tabs_ = new QTabWidget;
    if (stepMode_) tabs_->tabBar()->hide();
    connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
        if (switching_ || index == current_) return;
        const int wanted = index;
        // The page being left must pass its checks first.
        switching_ = true;
        tabs_->setCurrentIndex(current_);
        switching_ = false;
        goToPage(static_cast<size_t>(wanted));
    });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    if (stepMode_) {
        back_ = new QPushButton(QStringLiteral("< &Zurück"));
        next_ = new QPushButton(QStringLiteral("&Weiter >"));
        buttons->addWidget(back_);
        buttons->addWidget(next_);
        connect(back_, &QPushButton::clicked, this, [this] {
            if (current_ > 0) showPage(static_cast<size_t>(current_ - 1));
        });
        connect(next_, &QPushButton::clicked, this, [this] { goToPage(static_cast<size_t>(current_ + 1)); });
    }
    ok_ = new QPushButton(stepMode_ ? QStringLiteral("Fertig stellen") : QStringLiteral("OK"));
    auto* cancel = new QPushButton(QStringLiteral("Abbrechen"));
    auto* help = new QPushButton(QStringLiteral("Hilfe"));
    ok_->setDefault(!stepMode_);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    connect(ok_, &QPushButton::clicked, this, &FileSettingsWindow::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(help, &QPushButton::clicked, this, &FileSettingsWindow::showHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);

    for (const char key : {'Z', 'B', 'S', 'K', 'U', 'A'}) {
        auto* shortcut = new QShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(key)), this);
        connect(shortcut, &QShortcut::activated, this, [this, key] {
            if (const std::optional<size_t> page = model_.pageForKey(key)) goToPage(*page);
        });
    }
    auto* helpKey = new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F1), this);
    connect(helpKey, &QShortcut::activated, this, &FileSettingsWindow::showHelp);

    rebuild();
    resize(920, 600);
}

void FileSettingsWindow::rebuild() {
    const int keep = current_;
    switching_ = true;
    while (tabs_->count() > 0) {
        QWidget* page = tabs_->widget(0);
        tabs_->removeTab(0);
        page->deleteLater();
    }
    loaders_.clear();
    fields_.clear();
    const size_t count = model_.pages().size();
    fields_.resize(count);
    for (size_t page = 0; page < count; ++page)
        tabs_->addTab(buildPage(page), toQt(model_.pageTitle(page)));
    current_ = std::min(keep, static_cast<int>(count) - 1);
    tabs_->setCurrentIndex(current_);
    switching_ = false;
    refresh();
    updateStep();
}

void FileSettingsWindow::refresh() {
    for (const auto& load : loaders_)
        load();
    if (!stepMode_) setWindowTitle(toQt(model_.windowTitle()));
}

void FileSettingsWindow::updateStep() {
    if (!stepMode_) return;
    setWindowTitle(toQt(model_.stepTitle(static_cast<size_t>(current_))));
    const bool last = current_ + 1 >= tabs_->count();
    back_->setEnabled(current_ > 0);
    next_->setEnabled(!last);
    next_->setDefault(!last);
    ok_->setDefault(last);
}

void FileSettingsWindow::showPage(size_t page) {
    if (page >= static_cast<size_t>(tabs_->count())) return;
    current_ = static_cast<int>(page);
    switching_ = true;
    tabs_->setCurrentIndex(current_);
    switching_ = false;
    refresh();
    updateStep();
}

bool FileSettingsWindow::goToPage(size_t page) {
    if (static_cast<int>(page) == current_) return true;
    if (const std::optional<SettingsFailure> failed = model_.leavePage(static_cast<size_t>(current_), prompter_)) {
        showFailure(*failed);
        return false;
    }
    showPage(page);
    return true;
}

void FileSettingsWindow::accept() {
    if (const std::optional<SettingsFailure> failed = model_.confirm(prompter_)) {
        showFailure(*failed);
        return;
    }
    QDialog::accept();
}

void FileSettingsWindow::showFailure(const SettingsFailure& failure) {
    showPage(failure.page);
    if (QWidget* widget = fieldWidget(failure.page, failure.field)) widget->setFocus();
}

QWidget* FileSettingsWindow::fieldWidget(size_t page, SettingsField field) const {
    if (page >= fields_.size()) return nullptr;
    for (const auto& [each, widget] : fields_[page])
        if (each == field) return widget;
    return nullptr;
}

void FileSettingsWindow::showHelp() {
    showHelpTopic(help_, this, prompter_, kHelpFileSettings);
}

QWidget* FileSettingsWindow::buildPage(size_t index) {
    const SettingsPage page = model_.pages()[index];
    auto* widget = new QWidget;
    auto* layout = new QVBoxLayout(widget);
    // Structure changes (pages added or removed) rebuild the tabs once the clicked control is done.
    const auto refreshAll = [this] {
        if (tabs_->count() != static_cast<int>(model_.pages().size()))
            QTimer::singleShot(0, this, [this] { rebuild(); });
        else
            refresh();
    };
    PageBuilder b(loaders_, fields_[index], refreshAll);
    CEinstArbzt& s = model_.settings();
    FileSettingsDialog& m = model_;
    using F = SettingsField;
    const size_t p = page.period;

    switch (page.kind) {
    case SettingsPageKind::General: {
        auto* name = new QComboBox;
        name->setEditable(true);
        for (const std::string& each : m.environment().employeeNames)
            name->addItem(toQt(each));
        connect(name, &QComboBox::currentTextChanged, name, [&s](const QString& text) { s.name = fromQt(text.trimmed()); });
        loaders_.push_back([name, &s] {
            if (name->currentText() != toQt(s.name)) name->setCurrentText(toQt(s.name));
        });
        b.remember(F::Name, name);
        auto* year = new QLineEdit;
        year->setMaxLength(4);
        year->setMaximumWidth(60);
        connect(year, &QLineEdit::textEdited, year, [&s](const QString& text) { s.year = text.trimmed().toInt(); });
        loaders_.push_back([year, &s] {
            const QString shown = s.year == 0 ? QString() : QString::number(s.year);
            if (year->text() != shown) year->setText(shown);
        });
        b.remember(F::Year, year);
        auto* copy = new QPushButton(QStringLiteral("Einstellungen aus anderem Datenbestand &vorbesetzen..."));
        connect(copy, &QPushButton::clicked, this, [this] {
            const std::optional<std::string> chosen = runIoSelect(this, copySourceSelection(dataDirectory_));
            if (!chosen) return;
            if (const std::optional<std::string> message = copyFromYearFile(model_, *chosen, dataDirectory_)) {
                prompter_.error(*message);
                return;
            }
            QTimer::singleShot(0, this, [this] { rebuild(); });
        });
        auto* form = new QGridLayout;
        form->addWidget(label("Arbeitszeit erfassen für"), 0, 0);
        form->addWidget(name, 0, 1);
        form->addWidget(label("Kalenderjahr"), 1, 0);
        form->addWidget(year, 1, 1, Qt::AlignLeft);
        name->setMinimumWidth(260);
        form->setColumnStretch(2, 1);
        layout->addLayout(form);
        layout->addSpacing(12);
        layout->addLayout(row({copy}));
        break;
    }
    case SettingsPageKind::WorkingTime: {
        const auto period = [&s, p]() -> WorkingTimePeriod& { return s.workingTimePeriods[p]; };
        const auto fixed = [period] { return period().fixedRegularWorkingDays != 0; };
        layout->addLayout(row({label("Arbeitszeiten gelten ab"),
                               b.month([period]() -> int32_t& { return period().fromMonth; }, true,
                                       [p] { return p > 0; }, F::FromMonth)}));
        layout->addWidget(b.check(
            "Arbeitszeiten gelten bis zum Ende des Jahres", [period] { return period().lastPeriod != 0; },
            [this, p](bool on) { model_.setWorkingTimeLastPeriod(p, on, prompter_); }));
        layout->addWidget(b.check("Feste Regelarbeitstage", fixed,
                                  [&m, p](bool on) { m.setFixedRegularWorkingDays(p, on); }));
        auto* grid = new QGridLayout;
        static const char* const kDays[] = {"Mo", "Di", "Mi", "Do", "Fr", "Sa", "So"};
        grid->addWidget(label("Stunden"), 1, 0);
        grid->addWidget(label("Pause (in Minuten)"), 2, 0);
        grid->addWidget(label("Nur als halben Tag werten."), 3, 0);
        for (int column = 0; column < 7; ++column) {
            const size_t day = static_cast<size_t>((column + 1) % 7); // Monday first, Sunday last
            grid->addWidget(label(kDays[column]), 0, column + 1, Qt::AlignCenter);
            QLineEdit* hours = b.number([period, day]() -> double& { return period().hoursByWeekday[day]; }, fixed,
                                        column == 0 ? F::WeekdayHours : F::None);
            grid->addWidget(hours, 1, column + 1);
            grid->addWidget(b.integer([period, day]() -> int32_t& { return period().breakMinutesByWeekday[day]; }, 0,
                                      60, fixed),
                            2, column + 1);
            QCheckBox* half = b.check(
                "", [period, day] { return period().halfDayByWeekday[day] != 0; },
                [period, day](bool on) { period().halfDayByWeekday[day] = on ? 1 : 0; }, fixed);
            grid->addWidget(half, 3, column + 1, Qt::AlignCenter);
        }
        layout->addLayout(grid);
        const auto notFixed = [fixed] { return !fixed(); };
        layout->addLayout(row({b.integer([period]() -> int32_t& { return period().workingDaysPerWeek; }, 0, 7, notFixed),
                               label("Arbeitstage je Woche mit jeweils"),
                               b.number([period]() -> double& { return period().hoursPerWorkingDay; }, notFixed),
                               label("Stunden und"),
                               b.integer([period]() -> int32_t& { return period().breakMinutesPerWorkingDay; }, 0, 60,
                                         notFixed),
                               label("Minuten Pause")}));
        auto* basis = new QGroupBox(
            QStringLiteral("Berechnung der Stunden für Urlaubs-/Krank- und Feiertage an Hand der"));
        auto* daily = new QRadioButton(QStringLiteral("täglichen Arbeitszeit"));
        auto* average = new QRadioButton(QStringLiteral("durchschnittlichen täglichen Arbeitszeit"));
        auto* basisLayout = new QVBoxLayout(basis);
        basisLayout->addWidget(daily);
        basisLayout->addWidget(average);
        connect(daily, &QRadioButton::clicked, daily, [period] { period().hoursBasis = 0; });
        connect(average, &QRadioButton::clicked, average, [period] { period().hoursBasis = 1; });
        loaders_.push_back([daily, average, period] {
            daily->setChecked(period().hoursBasis == 0);
            average->setChecked(period().hoursBasis != 0);
        });
        layout->addWidget(basis);
        break;
    }
    case SettingsPageKind::WorkSettings: {
        layout->addWidget(b.check("Pausenzeiten prüfen", [&s] { return s.checkBreakTimes != 0; },
                                  [&s](bool on) { s.checkBreakTimes = on ? 1 : 0; }));
        layout->addWidget(b.check(
            "Korrekte Pausenzeiten sicherstellen", [&s] { return s.enforceCorrectBreakTimes != 0; },
            [&s](bool on) { s.enforceCorrectBreakTimes = on ? 1 : 0; }, [&m] { return m.enforceBreaksEnabled(); }));
        const std::pair<WageUse, const char*> uses[] = {
            {WageUse::MonthEvaluation, "Bruttolöhne in der Monatsauswertung ausgeben"},
            {WageUse::CustomerQuery, "Bruttolöhne als Kosten in der Kundenabfrage ausgeben"},
            {WageUse::CostEvaluation, "Mitarbeiter in Mitarbeiterkostenauswertung berücksichtigen"}};
        for (const auto& [use, text] : uses)
            layout->addWidget(b.check(text, [&m, use = use] { return m.wageUse(use); },
                                      [this, use = use](bool on) { model_.setWageUse(use, on, prompter_); }));
        layout->addWidget(b.check("Mitarbeiter ist Gehaltsempfänger", [&s] { return s.salariedEmployee != 0; },
                                  [&s](bool on) { s.salariedEmployee = on ? 1 : 0; }));
        layout->addWidget(
            b.check("Arbeitszeit des Tages wird normalerweise als ein Wert (ohne Kundenzuordnung) erfasst",
                    [&s] { return s.dayEnteredAsOneValue != 0; }, [&s](bool on) { s.dayEnteredAsOneValue = on ? 1 : 0; }));
        layout->addLayout(row({label("Beginn der Arbeitszeit vorbesetzen mit"),
                               b.text([&s]() -> std::string& { return s.defaultStartOfWork; }, 5, {},
                                      F::DefaultStartOfWork)}));
        for (size_t i = 0; i < 3; ++i) {
            static const char* const kNames[] = {"Rechenfeld 1", "Rechenfeld 2", "Rechenfeld 3"};
            layout->addLayout(
                row({label(kNames[i]), b.text([&s, i]() -> std::string& { return s.calculationFieldNames[i]; }, 20)}));
        }
        break;
    }
    case SettingsPageKind::Overtime: {
        layout->addLayout(row({label("Nur volle"),
                               b.integer([&s]() -> int32_t& { return s.overtimeRoundingMinutes; }, -999, 999, {},
                                         F::OvertimeRounding),
                               label("Minuten bei der Überstundenberechnung berücksichtigen.")}));
        auto* grid = new QGridLayout;
        grid->addWidget(label("Lohnart"), 0, 6);
        grid->addWidget(label("Grundvergütung"), 0, 7);
        const auto on = [&m](Surcharge which) { return [&m, which] { return m.surchargeOn(which); }; };
        const auto toggle = [&m](Surcharge which) { return [&m, which](bool checked) { m.setSurcharge(which, checked); }; };
        const auto wageType = [&b](std::string& value, std::function<bool()> enabled) {
            return b.text([&value]() -> std::string& { return value; }, 20, std::move(enabled));
        };
        struct WeekRow {
            Surcharge which;
            const char* text;
            double* percent;
            double* hours;
            std::string* type;
            SettingsField percentField, hoursField;
        };
        const WeekRow weeks[] = {
            {Surcharge::First, "Zuschlag 1 von", &s.surcharge1Percent, &s.surcharge1FromWeeklyHours,
             &s.wageTypeSurcharge1, F::Surcharge1Percent, F::Surcharge1Hours},
            {Surcharge::Second, "Zuschlag 2 von", &s.surcharge2Percent, &s.surcharge2FromWeeklyHours,
             &s.wageTypeSurcharge2, F::Surcharge2Percent, F::Surcharge2Hours}};
        int r = 1;
        for (const WeekRow& w : weeks) {
            QCheckBox* box = b.check(w.text, on(w.which), toggle(w.which));
            if (w.which == Surcharge::Second) b.remember(F::Surcharge2On, box);
            grid->addWidget(box, r, 0);
            grid->addWidget(b.number([v = w.percent]() -> double& { return *v; }, on(w.which), w.percentField), r, 1);
            grid->addWidget(label("% ab"), r, 2);
            grid->addWidget(b.number([v = w.hours]() -> double& { return *v; }, on(w.which), w.hoursField), r, 3);
            grid->addWidget(label("Stunden in der Woche"), r, 4, 1, 2);
            grid->addWidget(wageType(*w.type, on(w.which)), r, 6);
            ++r;
        }
        struct DayRow {
            Surcharge which;
            const char* text;
            double* percent;
            std::string* type;
            std::string* basePay;
            SettingsField percentField;
        };
        const DayRow days[] = {
            {Surcharge::Sunday, "Sonntags-Zuschlag von", &s.sundayPercent, &s.wageTypeSunday, &s.basePayWageTypeSunday,
             F::SundayPercent},
            {Surcharge::Holiday, "Feiertags-Zuschlag von", &s.holidayPercent, &s.wageTypeHoliday,
             &s.basePayWageTypeHoliday, F::HolidayPercent}};
        for (const DayRow& d : days) {
            grid->addWidget(b.check(d.text, on(d.which), toggle(d.which)), r, 0);
            grid->addWidget(b.number([v = d.percent]() -> double& { return *v; }, on(d.which), d.percentField), r, 1);
            grid->addWidget(label("%"), r, 2);
            grid->addWidget(wageType(*d.type, on(d.which)), r, 6);
            grid->addWidget(wageType(*d.basePay, on(d.which)), r, 7);
            ++r;
        }
        struct WindowRow {
            Surcharge which;
            const char* text;
            double* percent;
            std::string* begin;
            std::string* end;
            std::string* type;
            SettingsField percentField, beginField, endField;
        };
        const WindowRow windows[] = {
            {Surcharge::Night, "Nacht-Zuschlag von", &s.nightPercent, &s.nightBegin, &s.nightEnd, &s.wageTypeNight,
             F::NightPercent, F::NightBegin, F::NightEnd},
            {Surcharge::Saturday, "Samstags-Zuschlag von", &s.saturdayPercent, &s.saturdayBegin, &s.saturdayEnd,
             &s.wageTypeSaturday, F::SaturdayPercent, F::SaturdayBegin, F::SaturdayEnd}};
        for (const WindowRow& w : windows) {
            grid->addWidget(b.check(w.text, on(w.which), toggle(w.which)), r, 0);
            grid->addWidget(b.number([v = w.percent]() -> double& { return *v; }, on(w.which), w.percentField), r, 1);
            grid->addWidget(label("% Zuschlagsberechnung von"), r, 2);
            grid->addWidget(b.text([v = w.begin]() -> std::string& { return *v; }, 5, on(w.which), w.beginField), r, 3);
            grid->addWidget(label("bis"), r, 4);
            grid->addWidget(b.text([v = w.end]() -> std::string& { return *v; }, 5, on(w.which), w.endField), r, 5);
            grid->addWidget(wageType(*w.type, on(w.which)), r, 6);
            ++r;
        }
        layout->addLayout(grid);
        layout->addWidget(b.check(
            "Woche endet am Monatsende  (d.h. es wird nicht in den nächsten Monat übertragen) ",
            [&s] { return s.weekEndsAtMonthEnd != 0; }, [&s](bool checked) { s.weekEndsAtMonthEnd = checked ? 1 : 0; },
            [&m] { return m.weekEndsAtMonthEndEnabled(); }));
        break;
    }
    case SettingsPageKind::Account: {
        const auto kept = [&s] { return s.keepWorkingTimeAccount != 0; };
        layout->addWidget(b.check("Arbeitszeitkonto führen", kept,
                                  [&s](bool on) { s.keepWorkingTimeAccount = on ? 1 : 0; }));
        layout->addLayout(row({label("Vortrag"), b.number([&s]() -> double& { return s.accountCarryOver; }, kept),
                               label("Von"),
                               b.month([&s]() -> int32_t& { return s.accountFromMonth; }, true, kept, F::AccountFromMonth),
                               label("Bis"),
                               b.month([&s]() -> int32_t& { return s.accountToMonth; }, true, kept, F::AccountToMonth)}));
        layout->addWidget(b.check(
            "Zuschläge in Stunden umrechnen", [&s] { return s.convertSurchargesIntoHours != 0; },
            [&s](bool on) { s.convertSurchargesIntoHours = on ? 1 : 0; },
            [&m, kept] { return kept() && m.convertSurchargesEnabled(); }));
        const std::pair<const char*, const char*> modes[] = {
            {"RA", "Abweichungen von der täglichen Regelarbeitszeit"},
            {"WA", "Abweichnungen von der wöchentlichen Arbeitszeit"},
            {"MA", "Abweichungen von der monatlichen Soll-Arbeitszeit"}};
        for (const auto& [code, text] : modes) {
            auto* radio = new QRadioButton(QString::fromUtf8(text));
            connect(radio, &QRadioButton::clicked, radio, [&s, code = code] { s.accountMode = code; });
            loaders_.push_back([radio, &s, kept, code = code] {
                radio->setChecked(s.accountMode == code);
                radio->setEnabled(kept());
            });
            if (std::string_view(code) == "RA") b.remember(F::AccountMode, radio);
            layout->addWidget(radio);
        }
        layout->addLayout(row({label("Monatliche Soll-Arbeitszeit"),
                               b.number([&s]() -> double& { return s.monthlyTargetHours; }, kept)}));
        QCheckBox* deviations = b.check(
            "Abweichungen von der täglichen Regelarbeitszeit zum Vergleich ausdrucken",
            [&s] { return s.printDailyDeviations != 0; }, [&s](bool on) { s.printDailyDeviations = on ? 1 : 0; }, kept);
        b.remember(F::PrintDailyDeviations, deviations);
        layout->addWidget(deviations);
        const auto perMonth = [&s, kept] { return kept() && s.targetDependsOnMonth != 0; };
        layout->addWidget(b.check("Arbeitszeit ist vom Monat abhängig", [&s] { return s.targetDependsOnMonth != 0; },
                                  [&s](bool on) { s.targetDependsOnMonth = on ? 1 : 0; }, kept));
        auto* months = new QGridLayout;
        static const char* const kMonths[] = {"Januar", "Februar", "März",  "April",   "Mai",   "Juni",
                                              "Juli",   "August",  "Sept.", "Oktober", "Nov.",  "Dezemb."};
        for (size_t i = 0; i < 12; ++i) {
            const int column = static_cast<int>(i % 6) * 2;
            const int line = static_cast<int>(i / 6);
            months->addWidget(label(kMonths[i]), line, column);
            months->addWidget(b.number([&s, i]() -> double& { return s.monthlyTargetHoursPerMonth[i]; }, perMonth), line,
                              column + 1);
        }
        layout->addLayout(months);
        layout->addWidget(b.check("Fehlzeiten beeinflussen das Arbeitszeitkonto",
                                  [&s] { return s.absencesAffectAccount != 0; },
                                  [&s](bool on) { s.absencesAffectAccount = on ? 1 : 0; }, kept));
        const auto monthly = [&s, kept] { return kept() && s.monthlyPayoutOn != 0; };
        const auto weekly = [&s, kept] { return kept() && s.weeklyPayoutOn != 0; };
        layout->addLayout(row({b.check("Auszahlung bei mehr als", [&s] { return s.monthlyPayoutOn != 0; },
                                       [&s](bool on) { s.monthlyPayoutOn = on ? 1 : 0; }, kept),
                               b.number([&s]() -> double& { return s.monthlyPayoutThreshold; }, monthly,
                                        F::MonthlyPayoutThreshold),
                               label("Stunden pro Monat"), label("Lohnart"),
                               b.text([&s]() -> std::string& { return s.wageTypeMonthlyPayout; }, 20, monthly)}));
        layout->addLayout(row({b.check("Auszahlung bei mehr als", [&s] { return s.weeklyPayoutOn != 0; },
                                       [&s](bool on) { s.weeklyPayoutOn = on ? 1 : 0; }, kept),
                               b.number([&s]() -> double& { return s.weeklyPayoutThreshold; }, weekly,
                                        F::WeeklyPayoutThreshold),
                               label("Stunden pro Woche"), label("Lohnart"),
                               b.text([&s]() -> std::string& { return s.wageTypeWeeklyPayout; }, 20, weekly)}));
        break;
    }
    case SettingsPageKind::Vacation: {
        layout->addWidget(b.check("Automatisches Eintragen der Feiertage",
                                  [&s] { return s.enterPublicHolidaysAutomatically != 0; },
                                  [&s](bool on) { s.enterPublicHolidaysAutomatically = on ? 1 : 0; }));
        auto* state = new QComboBox;
        state->addItem(QString());
        for (std::string_view each : kFederalStates)
            state->addItem(toQt(std::string(each)));
        connect(state, &QComboBox::activated, state, [state, &s](int index) { s.federalState = fromQt(state->itemText(index)); });
        loaders_.push_back([state, &s] { state->setCurrentIndex(std::max(0, state->findText(toQt(s.federalState)))); });
        b.remember(F::FederalState, state);
        layout->addLayout(row({label("Bundesland"), state}));
        const auto managed = [&s] { return s.manageRemainingVacation != 0; };
        layout->addWidget(b.check("Resturlaub verwalten", managed,
                                  [&s](bool on) { s.manageRemainingVacation = on ? 1 : 0; }));
        layout->addLayout(row({label("Urlaubsanspruch (in Tagen)"),
                               b.number([&s]() -> double& { return s.vacationEntitlement; }, managed)}));
        layout->addLayout(row({label("Resturlaub Vorjahr (in Tagen)"),
                               b.number([&s]() -> double& { return s.remainingVacationPreviousYear; }, managed)}));
        layout->addWidget(b.check(
            "Urlaub der am Wochenende oder an Feiertagen eingetragen ist, soll in die Berechnung mit einfließen",
            [&s] { return s.countVacationOnWeekendsAndHolidays != 0; },
            [&s](bool on) { s.countVacationOnWeekendsAndHolidays = on ? 1 : 0; }));
        layout->addLayout(row({label("Bereitschaftszeiten werden mit"),
                               b.number([&s]() -> double& { return s.standbyRatingPercent; }), label("% gewertet.")}));
        break;
    }
    case SettingsPageKind::Wage: {
        const auto period = [&s, p]() -> WagePeriod& { return s.wagePeriods[p]; };
        layout->addLayout(row({label("Lohnangaben gelten ab"),
                               b.month([period]() -> int32_t& { return period().fromMonth; }, true,
                                       [p] { return p > 0; }, F::WageFromMonth)}));
        layout->addWidget(b.check("Lohnangaben gelten bis zum Ende des Jahres",
                                  [period] { return period().lastPeriod != 0; },
                                  [this, p](bool on) { model_.setWageLastPeriod(p, on, prompter_); }));
        layout->addLayout(row({label("Stundenlohn (in EUR)"),
                               b.numberAction([period] { return period().hourlyWage; },
                                              [&m, p](double v) { m.setHourlyWage(p, v); }, F::HourlyWage)}));
        layout->addLayout(row({label("Kosten für den Arbeitgeber: Faktor"),
                               b.numberAction([period] { return period().employerCostFactor; },
                                              [&m, p](double v) { m.setEmployerCostFactor(p, v); }),
                               label("je Stunde"),
                               b.number([period]() -> double& { return period().employerCostPerHour; }, {},
                                        F::EmployerCostPerHour)}));
        layout->addLayout(row({label("Geschätzte Wertschöpfung: Faktor"),
                               b.numberAction([period] { return period().valueCreationFactor; },
                                              [&m, p](double v) { m.setValueCreationFactor(p, v); }),
                               label("je Stunde"),
                               b.number([period]() -> double& { return period().valueCreationPerHour; }, {},
                                        F::ValueCreationPerHour)}));
        layout->addLayout(row({label("Urlaubsgeld (in EUR)"),
                               b.number([period]() -> double& { return period().vacationPayPerDay; }),
                               label("für 1 Tag")}));
        layout->addLayout(row({label("Stördienstvergütung (in EUR)"),
                               b.number([period]() -> double& { return period().standbyPay; }, {}, F::StandbyPay),
                               label("für"),
                               b.integer([period]() -> int32_t& { return period().standbyPayDays; }, 0, 30, {},
                                         F::StandbyPayDays),
                               label("Tage")}));
        layout->addLayout(row({label("Schichtzulage von"),
                               b.number([period]() -> double& { return period().shiftAllowancePercent; }), label("%"),
                               label("Lohnart"),
                               b.text([period]() -> std::string& { return period().shiftAllowanceWageType; }, 20)}));
        layout->addWidget(label("Abweichender Stundenlohn für bestimmte Dienstleistungen"));
        auto* list = new QTreeWidget;
        list->setRootIsDecorated(false);
        list->setHeaderLabels({QStringLiteral("Dienstleistung"), QStringLiteral("Abw. Stundenlohn")});
        list->header()->setStretchLastSection(false);
        list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
        list->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
        loaders_.push_back([list, &m, p] {
            list->clear();
            for (const DeviatingWageRow& rowData : m.deviatingWageRows(p))
                list->addTopLevelItem(new QTreeWidgetItem({toQt(rowData.service), toQt(rowData.wageText)}));
        });
        connect(list, &QTreeWidget::itemDoubleClicked, this, [this, p](QTreeWidgetItem* item) {
            DeviatingWageEdit edit = model_.deviatingWageOf(p, fromQt(item->text(0)));
            if (!editDeviatingWage(this, edit, prompter_)) return;
            model_.setDeviatingWage(p, edit);
            refresh();
        });
        layout->addWidget(list);
        break;
    }
    }
    layout->addStretch();
    return widget;
}

} // namespace lorvan
