#include "editors/scheme_editor.h"

#include "editors/field_text.h"
#include "shell/message_table.h"
#include "storage/app_context.h"
#include "storage/code_page.h"
#include "storage/number_text.h"
#include "storage/scheme_record.h"
#include "ui/message_box.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <limits>

namespace zelt {

namespace {

// A typed -0 is stored as 0, so that it shows and exports as 0.
float withoutNegativeZero(float value) {
    return value == 0 ? 0.0f : value;
}

} // namespace

SchemeEditor::SchemeEditor(const AppContext& app, QWidget* parent)
    : RecordEditor(app, SchemeRecord::kLength, RecordKind::Schemes, parent) {
    setObjectName(QStringLiteral("frmAPSettings"));
    arrangeWindow();
}

void SchemeEditor::fillCaptions() {
    setWindowTitle(QStringLiteral("AP Settings"));
    cmbType->clear();
    cmbType->addItem(QStringLiteral("Percents"));
    cmbType->addItem(QStringLiteral("Fixed"));
    // Filling the list chooses its first entry; the type starts out unchosen.
    cmbType->setCurrentIndex(-1);
    cmdCreate->setText(QStringLiteral("Create a record"));
    fileName_ = SchemeRecord::kFileName;
}

void SchemeEditor::setFieldsEnabled(bool enabled) {
    cmbType->setEnabled(enabled);
    for (QLineEdit* field : {txtMinPayment, txtPeriodicity, txtUnit})
        field->setEnabled(enabled);
    for (QLineEdit* level : txtLevel)
        level->setEnabled(enabled);
    // setNavigationEnabled, which always follows, gives the record number box its final state.
    txtCurrent_Record->setEnabled(false);
}

void SchemeEditor::applyMode(Mode mode) {
    bool fields = false;
    bool save = false;
    bool create = true;
    bool edit = false;
    bool navigation = false;
    switch (mode) {
    case Mode::NoRecord:
        break;
    case Mode::Creating:
    case Mode::Editing:
        fields = true;
        save = true;
        create = false;
        break;
    case Mode::Browsing:
        // A scheme that is only browsed cannot be typed over.
        edit = true;
        navigation = true;
        break;
    }
    setFieldsEnabled(fields);
    cmdSave->setEnabled(save);
    cmdCreate->setEnabled(create);
    cmdEdit->setEnabled(edit);
    setNavigationEnabled(navigation);
}

QList<QWidget*> SchemeEditor::typedFields() const {
    QList<QWidget*> fields(txtLevel.begin(), txtLevel.end());
    fields << cmbType << txtMinPayment << txtPeriodicity << txtUnit;
    return fields;
}

void SchemeEditor::clearFields() {
    txtMinPayment->clear();
    txtPeriodicity->setText(QStringLiteral("30"));
    showType(QString());
    txtUnit->setText(QStringLiteral("$"));
    for (QLineEdit* level : txtLevel)
        level->setText(QStringLiteral("0"));
}

void SchemeEditor::showType(const QString& stored) {
    QString entryText = stored;
    while (entryText.endsWith(QLatin1Char(' ')))
        entryText.chop(1);
    const int entry = cmbType->findText(entryText, Qt::MatchExactly);
    cmbType->setCurrentIndex(entry);
    cmbType->setPlaceholderText(entry < 0 ? stored : QString());
}

void SchemeEditor::showFields() {
    if (currentRecord_ == 0)
        return;
    // The record is read again here, so that the fields always show what is stored.
    auto read = dataFile_.read(currentRecord_);
    if (!read) {
        report(read.error());
        return;
    }
    if (!read->has_value()) {
        showNoRecord();
        return;
    }
    recordBuffer_ = std::move(**read);
    const SchemeRecord record = SchemeRecord::decode(recordBuffer_.data());
    const LocaleRules& rules = app().rules;
    txtMinPayment->setText(toQString(formatSingle(record.MinPayment, rules)));
    txtPeriodicity->setText(toQString(formatInt(record.Periodicity)));
    showType(toQString(record.Type_of_payment));
    txtUnit->setText(toQString(record.Unit));
    for (int i = 0; i < kLevels; ++i)
        txtLevel[i]->setText(toQString(formatSingle(record.Level[i], rules)));
    txtCurrent_Record->setText(QString::number(currentRecord_));
}

bool SchemeEditor::convertFields() {
    const auto minPayment = typedSingle(txtMinPayment);
    if (!minPayment)
        return false;
    typed_.MinPayment = withoutNegativeZero(*minPayment);
    for (int i = 0; i < kLevels; ++i) {
        const auto level = typedSingle(txtLevel[i]);
        if (!level)
            return false;
        typed_.Level[i] = withoutNegativeZero(*level);
    }
    const auto periodicity = typedInt16(txtPeriodicity);
    if (!periodicity)
        return false;
    typed_.Periodicity = *periodicity;
    return true;
}

bool SchemeEditor::buildRecord() {
    // The scheme's number is the number of the record written, never the text of the record
    // number box, which the operator may have typed over without going to that record.
    if (currentRecord_ < 1 || currentRecord_ > std::numeric_limits<std::int16_t>::max()) {
        showMessage(QString::fromLatin1(kMsgNotCorrectInput), this);
        return false;
    }
    SchemeRecord record = typed_;
    record.Scheme = static_cast<std::int16_t>(currentRecord_);
    record.Type_of_payment = toStdString(cmbType->currentText());
    record.Unit = singleLineText(txtUnit);
    recordBuffer_ = record.encode();
    // Fields the operator has not changed keep their stored bytes; a changed payment that the
    // files cannot write to the cent is warned about.
    shown_.keepStored(cmbType, recordBuffer_, 0, SchemeRecord::kTextWidth);
    shown_.keepStored(txtMinPayment, recordBuffer_, 10, 4);
    shown_.keepStored(txtPeriodicity, recordBuffer_, 14, 2);
    shown_.keepStored(txtUnit, recordBuffer_, 16, SchemeRecord::kTextWidth);
    for (int i = 0; i < kLevels; ++i)
        shown_.keepStored(txtLevel[i], recordBuffer_, 28 + 4 * i, 4);
    QList<QLineEdit*> payments{txtMinPayment};
    payments.append(QList<QLineEdit*>(txtLevel.begin(), txtLevel.end()));
    for (const QLineEdit* payment : payments) {
        if (shown_.keepsStored(payment))
            continue;
        if (const auto written = sumStoredAs(singleLineText(payment), app().rules))
            showMessage(QString::fromLatin1(kMsgStoredAs) + toQString(*written), this);
    }
    return true;
}

bool SchemeEditor::checkPresence() {
    for (QLineEdit* field : {txtMinPayment, txtPeriodicity, txtUnit}) {
        if (field->text().isEmpty()) {
            refuse(kMsgEnterData, field);
            return false;
        }
    }
    if (cmbType->currentIndex() != 0 && cmbType->currentIndex() != 1) {
        refuse(kMsgSelectValue, cmbType);
        return false;
    }
    // Only the first level is required; an empty other level fails in its conversion.
    if (txtLevel[0]->text().isEmpty()) {
        refuse(kMsgEnterData, txtLevel[0]);
        return false;
    }
    return true;
}

bool SchemeEditor::checkValues() {
    if (typed_.Level[0] == 0) {
        refuse(kMsgIncorrectValue, txtLevel[0]);
        return false;
    }
    return true;
}

bool SchemeEditor::textsReplaced() const {
    // Only what fits the field is stored, so only that part can lose characters.
    if (!shown_.keepsStored(cmbType) &&
        encodeCp1252(firstCharacters(toStdString(cmbType->currentText()), SchemeRecord::kTextWidth))
            .replaced)
        return true;
    return !shown_.keepsStored(txtUnit) &&
           encodeCp1252(firstCharacters(singleLineText(txtUnit), SchemeRecord::kTextWidth))
               .replaced;
}

void SchemeEditor::onCmdCreateClicked() {
    // A scheme's number must fit its 16-bit field: beyond the last one nothing is allotted.
    const auto stored = dataFile_.count();
    if (!stored) {
        report(stored.error());
        return;
    }
    if (*stored >= kMaxSchemes) {
        refuse(kMsgIncorrectValue, cmdCreate);
        return;
    }
    RecordEditor::onCmdCreateClicked();
}

} // namespace zelt
